#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Mutation check of the tests: each mistake of the catalogue (tools/mutations.txt) is put
into a scratch copy of the tree, the copy rebuilt incrementally, the tests that should see it
run with a time limit, and the mistake taken out again. The report says for each one whether
a test caught it, and lists the survivors.

    tools/mutate.py [--check] [--scratch DIR] [--timeout SECONDS] [ID ...]

Nothing but the build and the tests is used. The developer's tree is only read: the copy
lives in build-mutate/ (or --scratch). An entry whose text is no longer in its file is
reported as stale, not applied. Exit status: 0 when every entry is caught or marked
equivalent, 1 when one survived, did not build or is stale."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TARGETS = {"core": "core_tests", "cli": "cli_tests"}
BINARIES = {"core": "tests/core_tests", "cli": "tests/cli_tests"}


def parse_catalogue(path):
    """Entries start with "== ID"; fields are "key: value" lines; a line "+ text" goes on
    with the field before it after a line break. Lines starting with "#" are comments."""
    entries, entry, last = [], None, None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("#") or not line.strip():
                continue
            if line.startswith("== "):
                entry = {"id": line[3:].strip(), "line": number}
                entries.append(entry)
                last = None
            elif entry is None:
                sys.exit(f"{path}:{number}: a field before the first '== ID' line")
            elif line.startswith("+ ") or line == "+":
                if last is None:
                    sys.exit(f"{path}:{number}: '+' continues no field")
                entry[last] += "\n" + line[2:]
            else:
                key, sep, value = line.partition(":")
                if not sep or key not in ("file", "find", "replace", "tests", "why", "equivalent"):
                    sys.exit(f"{path}:{number}: expected 'file:', 'find:', 'replace:', 'tests:', 'why:' or 'equivalent:'")
                entry[key] = value[1:] if value.startswith(" ") else value
                last = key
    for e in entries:
        for key in ("file", "find", "replace", "why"):
            if key not in e:
                sys.exit(f"{path}:{e['line']}: entry {e['id']} has no '{key}:'")
    ids = [e["id"] for e in entries]
    if len(ids) != len(set(ids)):
        sys.exit(f"{path}: an ID is used twice")
    return entries


def test_sets(entry):
    """{"core": filter, "cli": filter} from "tests: core=A.*:B.* cli=C.*"; all core tests by default."""
    wanted = entry.get("tests", "core=*").split()
    sets = {}
    for part in wanted:
        binary, _, pattern = part.partition("=")
        if binary not in TARGETS or not pattern:
            sys.exit(f"entry {entry['id']}: tests take core=FILTER and cli=FILTER, not '{part}'")
        sets[binary] = pattern
    return sets


def tracked_files():
    """The files of the developer's tree that git knows or would add (ignored ones left out)."""
    out = subprocess.run(["git", "-C", ROOT, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                         check=True, capture_output=True).stdout
    return sorted({p for p in out.decode("utf-8", "surrogateescape").split("\0") if p})


def sync_copy(src_dir):
    """Makes src_dir hold the tree's files; a file is written only when its bytes differ, so
    the build stays incremental between runs."""
    wanted = set()
    for rel in tracked_files():
        source = os.path.join(ROOT, rel)
        if not os.path.isfile(source) or os.path.islink(source):
            continue
        wanted.add(rel)
        target = os.path.join(src_dir, rel)
        with open(source, "rb") as f:
            data = f.read()
        try:
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        except FileNotFoundError:
            os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        shutil.copymode(source, target)
    for folder, _, files in os.walk(src_dir):
        for name in files:
            rel = os.path.relpath(os.path.join(folder, name), src_dir)
            if rel not in wanted:
                os.remove(os.path.join(folder, name))


def run(cmd, cwd, timeout):
    try:
        p = subprocess.run(cmd, cwd=cwd, capture_output=True, timeout=timeout)
        return p.returncode, p.stdout.decode(errors="replace") + p.stderr.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, ""


def build(build_dir, binaries, timeout):
    targets = [TARGETS[b] for b in binaries] + ["velmora-cli"]
    code, out = run(["cmake", "--build", build_dir, "-j", os.environ.get("JOBS", "2"), "--target", *targets],
                    build_dir, timeout)
    return code == 0, out


def run_tests(build_dir, sets, timeout):
    """Caught: the names of the failing tests (or the binary that timed out or crashed); [] when all passed."""
    failed = []
    for binary, pattern in sets.items():
        code, out = run([os.path.join(build_dir, BINARIES[binary]), "--gtest_brief=1", f"--gtest_filter={pattern}"],
                        build_dir, timeout)
        if code is None:
            failed.append(f"{binary}: timed out after {timeout}s")
        elif code != 0:
            names = re.findall(r"^\[  FAILED  \] (\S+)", out, re.M)
            failed.extend(dict.fromkeys(names) or [f"{binary}: exit {code}"])
    return failed


def main():
    parser = argparse.ArgumentParser(description="Mutation check of the tests against tools/mutations.txt")
    parser.add_argument("--scratch", default=os.path.join(ROOT, "build-mutate"))
    parser.add_argument("--catalogue", default=os.path.join(ROOT, "tools", "mutations.txt"))
    parser.add_argument("--timeout", type=int, default=int(os.environ.get("MUTATE_TIMEOUT", "300")),
                        help="seconds a test binary may run (a build gets four times that)")
    parser.add_argument("--check", action="store_true",
                        help="only say which entries are stale (their text is not found once), without building")
    parser.add_argument("ids", nargs="*", help="only these entries")
    args = parser.parse_args()

    entries = parse_catalogue(args.catalogue)
    if args.ids:
        unknown = set(args.ids) - {e["id"] for e in entries}
        if unknown:
            sys.exit("no such entries: " + " ".join(sorted(unknown)))
        entries = [e for e in entries if e["id"] in args.ids]

    if args.check:
        stale = 0
        for e in entries:
            try:
                with open(os.path.join(ROOT, e["file"]), encoding="utf-8", errors="surrogateescape") as f:
                    count = f.read().count(e["find"])
            except FileNotFoundError:
                count = 0
            if count != 1:
                stale += 1
                print(f"stale      {e['id']} ({e['file']}): text found {count} times")
        print(f"catalogue: {len(entries)} entries; {stale} stale")
        return 1 if stale else 0

    scratch = os.path.abspath(args.scratch)
    src_dir, build_dir = os.path.join(scratch, "src"), os.path.join(scratch, "build")
    os.makedirs(src_dir, exist_ok=True)
    sync_copy(src_dir)
    if not os.path.exists(os.path.join(build_dir, "build.ninja")):
        configure = ["cmake", "-S", src_dir, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                     "-DVELMORA_BUILD_UI=OFF", "-DVELMORA_BUILD_BENCH=OFF"]
        if shutil.which("ccache"):
            configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
        subprocess.run(configure, check=True, stdout=subprocess.DEVNULL)
    build_timeout = 4 * args.timeout

    print(f"mutate: building the unchanged copy in {build_dir}", flush=True)
    ok, out = build(build_dir, TARGETS, 4 * build_timeout)
    if not ok:
        sys.exit("mutate: the unchanged tree does not build:\n" + out[-4000:])
    # Every test an entry runs must pass before any mistake is put in.
    baseline = {}
    for e in entries:
        for binary, pattern in test_sets(e).items():
            baseline.setdefault(binary, set()).add(pattern)
    failing = run_tests(build_dir, {b: ":".join(sorted(p)) for b, p in baseline.items()}, args.timeout)
    if failing:
        sys.exit("mutate: the tests fail on the unchanged tree: " + ", ".join(failing))

    results = []  # (verdict, entry, detail)
    for index, e in enumerate(entries, 1):
        start = time.monotonic()
        path = os.path.join(src_dir, e["file"])
        try:
            with open(path, encoding="utf-8", errors="surrogateescape") as f:
                original = f.read()
        except FileNotFoundError:
            original = None
        count = 0 if original is None else original.count(e["find"])
        if count != 1:
            why = "file not found" if original is None else ("text not found" if count == 0 else f"text found {count} times")
            results.append(("stale", e, why))
        else:
            sets = test_sets(e)
            try:
                with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                    f.write(original.replace(e["find"], e["replace"], 1))
                built, out = build(build_dir, sets, build_timeout)
                if not built:
                    lines = [l for l in out.splitlines() if "error" in l]
                    results.append(("not built", e, (lines or ["build failed"])[0].strip()))
                else:
                    failed = run_tests(build_dir, sets, args.timeout)
                    if failed:
                        results.append(("caught", e, ", ".join(failed[:3]) + (" ..." if len(failed) > 3 else "")))
                    elif "equivalent" in e:
                        results.append(("equivalent", e, e["equivalent"]))
                    else:
                        results.append(("survived", e, e["why"]))
            finally:
                with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                    f.write(original)
        verdict, _, detail = results[-1]
        if verdict == "caught" and "equivalent" in e:
            results[-1] = ("caught", e, detail + "  (marked equivalent, yet caught: drop the mark)")
        print(f"[{index}/{len(entries)}] {verdict:10} {e['id']}  ({time.monotonic() - start:.0f}s) {results[-1][2]}",
              flush=True)
    # The copy's objects are left built from the unchanged sources for the next run.
    build(build_dir, TARGETS, build_timeout)

    print("\nmutate report")
    counts = {}
    for verdict, e, detail in results:
        counts[verdict] = counts.get(verdict, 0) + 1
    for verdict in ("survived", "not built", "stale", "equivalent"):
        for v, e, detail in results:
            if v == verdict:
                print(f"  {verdict:10} {e['id']} ({e['file']}): {detail}")
    summary = ", ".join(f"{counts.get(v, 0)} {v}" for v in ("caught", "equivalent", "survived", "stale", "not built"))
    print(f"catalogue: {len(entries)} entries; {summary}")
    return 1 if counts.get("survived") or counts.get("stale") or counts.get("not built") else 0


if __name__ == "__main__":
    sys.exit(main())
