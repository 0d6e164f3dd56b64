#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The generated completions of velmora-cli, run in each installed shell as a user meets them.

bash and zsh run interactively on a terminal: a line is typed, TAB pressed and Enter, and
velmora-cli, a shell function there, prints the words it got, so the test sees what the
completion put on the line. fish answers `complete -C LINE`. Each shell completes a folder
whose name holds a blank, a value of --order after "natural:", and a saved preset's name.

    completion_test.py SHARE_DIR VELMORA_CLI
"""
import os
import pty
import select
import shutil
import subprocess
import sys
import tempfile
import time

share, cli = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
failures = []

# (what is typed before TAB, the word velmora-cli gets for it)
CASES = [
    ("velmora-cli change --folder My", "My photos/"),
    ("velmora-cli change --order natural:", "natural:desc"),
    ("velmora-cli change --order mtime:d", "mtime:desc"),
    ("velmora-cli replace --preset tr", "trip numbers"),
    ("velmora-cli change --set caseSt", "caseStyle="),
    ("velmora-cli und", "undo"),
    ("velmora-cli hist", "history"),
    ("velmora-cli undo --al", "--all"),
    ("velmora-cli extension --from-f", "--from-file"),
    ("velmora-cli change --inclu", "--include"),
    ("velmora-cli change --set rege", "regex="),
    ("velmora-cli met", "meta"),
]


def interactive(argv, env, cwd, setup, line):
    """Runs a shell on a terminal, types the set-up, then LINE, TAB and Enter; returns its output."""
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(cwd)
        os.execvpe(argv[0], argv, env)
    out = b""
    typed = setup + ["echo READY", line + "\t\r", "exit"]
    deadline = time.time() + 30
    try:
        for text in typed:
            os.write(fd, text.encode() + (b"" if text.endswith("\r") else b"\r"))
            # Each line is taken by the shell before the next is typed: typed on once the shell
            # has been quiet for a moment, as a user types.
            settle = time.time() + 3
            while time.time() < settle and select.select([fd], [], [], 0.1)[0]:
                try:
                    out += os.read(fd, 65536)
                except OSError:
                    break
        while time.time() < deadline:
            if not select.select([fd], [], [], 0.2)[0]:
                if os.waitpid(pid, os.WNOHANG)[0]:
                    break
                continue
            try:
                chunk = os.read(fd, 65536)
            except OSError:
                break
            if not chunk:
                break
            out += chunk
    finally:
        try:
            os.kill(pid, 9)
        except ProcessLookupError:
            pass
        os.waitpid(pid, 0)
        os.close(fd)
    return out.decode("utf-8", "replace")


def words_got(output):
    """The words the velmora-cli function printed, each as <WORD> on its own line."""
    text = output.split("READY", 2)[-1]
    return [l.strip()[1:-1] for l in text.replace("\r", "").split("\n") if l.strip().startswith("<") and l.strip().endswith(">")]


def check(shell, line, expected, got):
    # zsh takes back the "/" it put after a folder when Enter follows.
    if expected not in got and expected.rstrip("/") not in got:
        failures.append(f"{shell}: '{line}<TAB>' gave {got!r}, not the word {expected!r}")


with tempfile.TemporaryDirectory() as tmp:
    home = os.path.join(tmp, "home")
    work = os.path.join(tmp, "work")
    os.makedirs(os.path.join(work, "My photos"))
    os.makedirs(os.path.join(home, ".config", "Tessaro", "presets"))
    with open(os.path.join(home, ".config", "Tessaro", "presets", "trip numbers.json"), "w") as f:
        f.write('{"newText": "trip_$$"}')
    bindir = os.path.join(tmp, "bin")
    os.makedirs(bindir)
    os.symlink(cli, os.path.join(bindir, "velmora-cli"))
    env = {"HOME": home, "PATH": bindir + ":/usr/bin:/bin", "TERM": "dumb", "LANG": "C.UTF-8",
           "XDG_CONFIG_HOME": os.path.join(home, ".config"), "XDG_DATA_HOME": os.path.join(home, "data")}
    echo_words = "velmora-cli() { printf '<%s>\\n' \"$@\"; }"

    if shutil.which("bash"):
        setup = ["PS1='$ '", "bind 'set bell-style none'", echo_words,
                 "source '" + os.path.join(share, "bash-completion/completions/velmora-cli") + "'"]
        for line, expected in CASES:
            out = interactive(["bash", "--norc", "--noprofile", "-i"], env, work, setup, line)
            check("bash", line, expected, words_got(out))
    if shutil.which("zsh"):
        setup = ["PS1='$ '", "unsetopt beep", "fpath=('" + os.path.join(share, "zsh/site-functions") + "' $fpath)",
                 "autoload -U compinit && compinit -u -D", echo_words]
        for line, expected in CASES:
            out = interactive(["zsh", "-f", "-i"], env, work, setup, line)
            if "parse error" in out or "_arguments:" in out:
                failures.append(f"zsh: '{line}<TAB>' reported an error: {out[-300:]!r}")
            check("zsh", line, expected, words_got(out))
    if shutil.which("fish"):
        script = os.path.join(share, "fish/vendor_completions.d/velmora-cli.fish")
        for line, expected in CASES:
            run = subprocess.run(["fish", "--no-config", "-c", f"source '{script}'; complete -C {line!r}"],
                                 env=env, cwd=work, capture_output=True, text=True, timeout=60)
            got = [c.split("\t")[0] for c in run.stdout.splitlines()]
            if expected not in got:
                failures.append(f"fish: '{line}<TAB>' offered {got!r}, not {expected!r} {run.stderr.strip()}")

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
