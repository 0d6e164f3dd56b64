#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every form of velmora-cli --json output, produced for real, checked against the JSON Schema
that ships beside the manual; and every key and form that the schema names is produced at
least once, so neither can grow without the other.

    json_output_test.py SCHEMA VELMORA_CLI
"""
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

schema_path, cli = sys.argv[1], sys.argv[2]
with open(schema_path) as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failures = []
seen_keys, seen_forms = set(), set()


def note_forms(value):
    """The forms of names met in an output: a string, the bytes object, a filler row."""
    if isinstance(value, dict):
        if set(value) == {"bytes"}:
            seen_forms.add("bytes")
        for v in value.values():
            note_forms(v)
    elif isinstance(value, list):
        if len(value) == 1 and isinstance(value[0], str) and value[0].startswith("("):
            seen_forms.add("filler")
        for v in value:
            note_forms(v)


def run(what, args, exit_code, env):
    p = subprocess.run([cli] + args, capture_output=True, env=env, stdin=subprocess.DEVNULL, timeout=60)
    lines = p.stdout.decode("utf-8").splitlines()
    if p.returncode != exit_code or len(lines) != 1:
        failures.append(f"{what}: exit {p.returncode} (wanted {exit_code}), {len(lines)} lines: {p.stdout!r} {p.stderr!r}")
        return None
    value = json.loads(lines[0])
    errors = sorted(validator.iter_errors(value), key=lambda e: list(e.path))
    for e in errors:
        failures.append(f"{what}: {'/'.join(map(str, e.path))}: {e.message}")
    if isinstance(value, dict):
        seen_keys.update(value)
        if value.get("exit") != exit_code:
            failures.append(f"{what}: \"exit\" is {value.get('exit')}, the status {exit_code}")
    else:
        seen_forms.add("fields")
    note_forms(value)
    return value


with tempfile.TemporaryDirectory() as tmp:
    home = os.path.join(tmp, "home")
    presets = os.path.join(home, ".config", "Tessaro", "presets")
    os.makedirs(presets)
    with open(os.path.join(presets, "trip.json"), "w") as f:
        f.write('{"newText": "trip_$$"}')
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_DATA_HOME=os.path.join(home, "data"), LC_ALL="C.UTF-8")
    photos = os.path.join(tmp, "photos")
    os.makedirs(photos)
    for name in [b"IMG_1.jpg", b"IMG_2.jpg", b"IMG_3.jpg", b"caf\xe9.jpg"]:  # the last one is no UTF-8
        open(os.path.join(os.fsencode(photos), name), "w").close()
    state = ["--state-dir", os.path.join(tmp, "state")]
    folder = ["--folder", photos]

    run("preview", ["replace"] + folder + ["--set", "oldText=IMG", "--set", "newText=trip", "--preview", "--json"], 0, env)
    run("preview cut short", ["replace"] + folder + ["--set", "oldText=IMG", "--set", "newText=trip", "--preview",
                                                     "--preview-count", "1", "--json"], 0, env)
    run("preview with numbered rows", ["change"] + folder + ["--set", "newName=same", "--preview", "--json"], 0, env)
    run("preview of nothing", ["replace"] + folder + ["--set", "oldText=zzz", "--set", "newText=y", "--preview", "--json"], 0, env)
    run("refused check", ["replace"] + folder + ["--set", "oldText=", "--set", "newText=y", "--json"] + state, 2, env)
    run("rename", ["replace"] + folder + ["--preset", "trip", "--set", "oldText=IMG_", "--yes", "--json"] + state, 0, env)
    run("rename of a name that is no UTF-8", ["change"] + folder + ["--set", "changeMode=ConvertCase",
                                                                   "--set", "caseStyle=Upper", "--yes", "--json"] + state, 0, env)
    run("history", ["history", "--json"] + state, 0, env)
    run("question answered No", ["undo", "--json"] + state, 2, env)
    run("undo", ["undo", "--yes", "--json"] + state, 0, env)
    run("nothing renamed", ["replace"] + folder + ["--set", "oldText=zzz", "--set", "newText=y", "--yes", "--json"] + state, 1, env)
    run("usage error", ["replace"] + folder + ["--set", "frob=1", "--json"], 3, env)
    run("unknown command", ["frobnicate", "--json"], 3, env)
    run("listing", ["list"] + folder + ["--output", os.path.join(tmp, "names.txt"), "--yes", "--json"] + state, 0, env)
    run("presets", ["presets", "--json"], 0, env)
    run("fields", ["fields", "--json"], 0, env)
    run("fields of one command", ["fields", "extension", "--json"], 0, env)
    run("tags of a file that is no photo", ["meta", os.path.join(tmp, "no photo.jpg"), "--json"], 4, env)

result_keys = set(schema["$defs"]["result"]["properties"])
if seen_keys != result_keys:
    failures.append(f"keys the outputs held {sorted(seen_keys)}, the schema names {sorted(result_keys)}")
for form in ["bytes", "filler", "fields"]:
    if form not in seen_forms:
        failures.append(f"no output held the form '{form}'")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
