// SPDX-License-Identifier: GPL-3.0-or-later
/* The baseline for the whole-run benchmark: the bare system calls a renamer cannot avoid.
 * Reads a folder once and renames every regular file's extension to ".dat" with
 * renameat2(RENAME_NOREPLACE). */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE 1
#endif

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  DIR* dir = opendir(argv[1]);
  if (!dir) return 1;
  int dfd = dirfd(dir);
  size_t cap = 1024, count = 0;
  char** names = malloc(cap * sizeof *names);
  struct dirent* e;
  while ((e = readdir(dir))) {
    if (e->d_type != DT_REG) continue;
    if (count == cap) names = realloc(names, (cap *= 2) * sizeof *names);
    names[count++] = strdup(e->d_name);
  }
  long renamed = 0;
  char target[4096];
  for (size_t i = 0; i < count; ++i) {
    const char* dot = strrchr(names[i], '.');
    size_t stem = dot ? (size_t)(dot - names[i]) : strlen(names[i]);
    snprintf(target, sizeof target, "%.*s.dat", (int)stem, names[i]);
    if (syscall(SYS_renameat2, dfd, names[i], dfd, target, RENAME_NOREPLACE) == 0) ++renamed;
    free(names[i]);
  }
  free(names);
  closedir(dir);
  printf("%ld\n", renamed);
  return 0;
}
