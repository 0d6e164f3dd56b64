// SPDX-License-Identifier: GPL-3.0-or-later
/* The baseline for the whole-run benchmark: the bare system calls a renamer cannot avoid,
 * and the small tools the benchmark script needs around them.
 *
 *   bare_rename rename FOLDER OP   reads each folder once (subfolders too) and renames every
 *                                  regular file with renameat2(RENAME_NOREPLACE) relative to
 *                                  the opened folder; OP is ext=.EXT, replace=OLD/NEW,
 *                                  prefix=TEXT or lower
 *   bare_rename list FOLDER        reads the folder once and keeps every name (the bare
 *                                  listing a preview of the first rows cannot do without)
 *   bare_rename make FOLDER FILES FOLDERS UPPER
 *                                  makes FILES empty files "img000001.jpg"... (upper case
 *                                  with UPPER=1), spread over FOLDERS subfolders (0: flat)
 *   bare_rename time COMMAND...    runs the command with its output thrown away and prints
 *                                  its wall time in seconds and its peak memory in KiB */
#define _GNU_SOURCE
#include <ctype.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE 1
#endif

static long renamed = 0;

/* The new name of one file under OP, into target. */
static void NewName(const char* op, const char* name, char* target, size_t size) {
  if (strncmp(op, "ext=", 4) == 0) {
    const char* dot = strrchr(name, '.');
    size_t stem = dot ? (size_t)(dot - name) : strlen(name);
    snprintf(target, size, "%.*s%s", (int)stem, name, op + 4);
  } else if (strncmp(op, "prefix=", 7) == 0) {
    snprintf(target, size, "%s%s", op + 7, name);
  } else if (strncmp(op, "replace=", 8) == 0) {
    const char* old = op + 8;
    const char* slash = strchr(old, '/');
    size_t oldLen = (size_t)(slash - old);
    const char* hit = oldLen ? memmem(name, strlen(name), old, oldLen) : NULL;
    if (!hit) {
      snprintf(target, size, "%s", name);
      return;
    }
    snprintf(target, size, "%.*s%s%s", (int)(hit - name), name, slash + 1, hit + oldLen);
  } else { /* lower */
    size_t i = 0;
    for (; name[i] && i + 1 < size; ++i) target[i] = (char)tolower((unsigned char)name[i]);
    target[i] = 0;
  }
}

static void RenameFolder(int dfd, const char* op) {
  DIR* dir = fdopendir(dfd);
  if (!dir) return;
  size_t cap = 1024, count = 0;
  char** names = malloc(cap * sizeof *names);
  unsigned char* isDir = malloc(cap);
  struct dirent* e;
  while ((e = readdir(dir))) {
    if (e->d_type != DT_REG && e->d_type != DT_DIR) continue;
    if (e->d_type == DT_DIR && (!strcmp(e->d_name, ".") || !strcmp(e->d_name, ".."))) continue;
    if (count == cap) {
      cap *= 2;
      names = realloc(names, cap * sizeof *names);
      isDir = realloc(isDir, cap);
    }
    isDir[count] = e->d_type == DT_DIR;
    names[count++] = strdup(e->d_name);
  }
  char target[4096];
  for (size_t i = 0; i < count; ++i) {
    if (isDir[i]) {
      int sub = openat(dfd, names[i], O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub >= 0) RenameFolder(sub, op);
    } else {
      NewName(op, names[i], target, sizeof target);
      if (syscall(SYS_renameat2, dfd, names[i], dfd, target, RENAME_NOREPLACE) == 0) ++renamed;
    }
    free(names[i]);
  }
  free(names);
  free(isDir);
  closedir(dir);
}

static int List(const char* folder) {
  DIR* dir = opendir(folder);
  if (!dir) return 1;
  size_t cap = 1024, count = 0;
  char** names = malloc(cap * sizeof *names);
  struct dirent* e;
  while ((e = readdir(dir))) {
    if (e->d_name[0] == '.') continue;
    if (count == cap) names = realloc(names, (cap *= 2) * sizeof *names);
    names[count++] = strdup(e->d_name);
  }
  closedir(dir);
  printf("%zu\n", count);
  for (size_t i = 0; i < count; ++i) free(names[i]);
  free(names);
  return 0;
}

static int Make(const char* folder, long files, long folders, int upper) {
  if (mkdir(folder, 0755) != 0) return 1;
  char path[4096];
  for (long i = 0; i < files; ++i) {
    if (folders > 0) {
      snprintf(path, sizeof path, "%s/d%03ld", folder, i % folders);
      if (i < folders && mkdir(path, 0755) != 0) return 1;
      snprintf(path, sizeof path, "%s/d%03ld/%s%06ld.%s", folder, i % folders, upper ? "IMG" : "img", i + 1,
               upper ? "JPG" : "jpg");
    } else {
      snprintf(path, sizeof path, "%s/%s%06ld.%s", folder, upper ? "IMG" : "img", i + 1, upper ? "JPG" : "jpg");
    }
    int fd = open(path, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) return 1;
    close(fd);
  }
  return 0;
}

static int Time(char** command) {
  struct timespec t0, t1;
  clock_gettime(CLOCK_MONOTONIC, &t0);
  pid_t pid = fork();
  if (pid < 0) return 1;
  if (pid == 0) {
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 1);
    execv(command[0], command);
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  if (wait4(pid, &status, 0, &usage) < 0) return 1;
  clock_gettime(CLOCK_MONOTONIC, &t1);
  printf("%.6f %ld\n", (double)(t1.tv_sec - t0.tv_sec) + (double)(t1.tv_nsec - t0.tv_nsec) / 1e9, usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

int main(int argc, char** argv) {
  if (argc >= 4 && !strcmp(argv[1], "rename")) {
    int dfd = open(argv[2], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return 1;
    RenameFolder(dfd, argv[3]);
    printf("%ld\n", renamed);
    return 0;
  }
  if (argc == 3 && !strcmp(argv[1], "list")) return List(argv[2]);
  if (argc == 6 && !strcmp(argv[1], "make")) return Make(argv[2], atol(argv[3]), atol(argv[4]), atoi(argv[5]));
  if (argc >= 3 && !strcmp(argv[1], "time")) return Time(argv + 2);
  fprintf(stderr, "usage: %s rename FOLDER OP | list FOLDER | make FOLDER FILES FOLDERS UPPER | time COMMAND...\n",
          argv[0]);
  return 2;
}
