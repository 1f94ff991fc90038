#!/usr/bin/env python3
"""Every example of docs/authoring.md, through the tools the guide describes.

The guide's blocks, by their info string:
  ini PATH          part of the guide's CD: blocks of one PATH make the file, in order
  text files        the CD's other files, one path a line (a bitmap for .bmp, a few bytes otherwise)
  ini PATH mistake  keys written into a copy of the guide's CD; the next block ("text lint") is what
                    autorun-lint then prints, exactly
  text preview      what autorun-preview prints for the guide's CD and its dump, the CD in drive D:
  ini server/PATH   a live-update server's file: read here as the program reads it
The guide's CD itself must lint clean.
    authoring_guide_test.py GUIDE AUTORUN_LINT PROFILE_PROBE AUTORUN_PREVIEW
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

GUIDE, LINT, PROBE, PREVIEW = (pathlib.Path(a) for a in sys.argv[1:5])
BMP = bytes([66, 77, 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,
             0, 0, 0, 0, 4, 0, 0, 0] + [0] * 20)
SCRATCH = pathlib.Path(tempfile.mkdtemp(prefix="guide-"))
failures = []


def fail(what):
    failures.append(what)
    print("FAIL:", what)


def lint(cd):
    r = subprocess.run([LINT, cd], capture_output=True, encoding="latin-1")
    return r.stdout + r.stderr


def probe(folder, script):
    """Runs profile_probe's commands on files of `folder`; its answers, one per command."""
    path = SCRATCH / "script.txt"
    path.write_text(script, encoding="latin-1")
    out = subprocess.run([PROBE, str(folder) + "/", path], capture_output=True, encoding="latin-1").stdout
    return [line for line in out.splitlines() if not line.startswith("> ")]


def escape(text):
    return text.replace("\\", "\\\\")


def keys(block):
    """[section] and key=value lines of an INI block, in order."""
    section, out = "", []
    for line in block.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
        elif "=" in line and not line.startswith(";"):
            key, value = line.split("=", 1)
            out.append((section, key.strip(), value.strip()))
    return out


blocks = re.findall(r"^```(\S*)[ \t]*(.*?)\n(.*?)^```", GUIDE.read_text(encoding="utf-8"), re.M | re.S)
cd = SCRATCH / "cd"
cd.mkdir()
files, server = {}, {}
for lang, info, body in blocks:
    if lang == "ini" and info and not info.endswith(" mistake"):
        target = server if info.startswith("server/") else files
        target[info] = target.get(info, "") + body
    elif lang == "text" and info == "files":
        for name in body.split():
            files[name] = BMP if name.endswith(".bmp") else b"stand-in"
for name, text in files.items():
    (cd / name).parent.mkdir(parents=True, exist_ok=True)
    (cd / name).write_bytes(text if isinstance(text, bytes) else text.replace("\n", "\r\n").encode("latin-1"))

found = lint(cd)
if found:
    fail("the guide's CD is not clean:\n" + found)

for n, (lang, info, body) in enumerate(blocks):
    if lang == "ini" and info.endswith(" mistake"):
        name = info[:-len(" mistake")]
        expected = blocks[n + 1][2] if n + 1 < len(blocks) and blocks[n + 1][1] == "lint" else None
        copy = SCRATCH / f"mistake{n}"
        shutil.copytree(cd, copy)
        probe(copy, f"file {name}\n" + "".join(f"write {s}|{k}|{escape(v)}\n" for s, k, v in keys(body)))
        got = lint(copy)
        if expected is None or got != expected:
            fail(f"mistake in {name}:\n{body}expected:\n{expected}got:\n{got}")
    elif lang == "text" and info == "preview":
        out = subprocess.run([PREVIEW, cd, "--dump", cd / "Sample.dmp"], capture_output=True,
                             encoding="latin-1").stdout.replace(str(cd), "D:")
        if out != body:
            fail(f"preview:\nexpected:\n{body}got:\n{out}")

# The server's files as the live update reads them: every mirror the list names has a server, every
# board folder of the map is written as the fetch needs it, every driver section counts and acts.
live = SCRATCH / "server"
live.mkdir()
for name, text in server.items():
    (live / pathlib.Path(name).name).write_text(text.replace("\n", "\r\n"), encoding="latin-1")
modelmap = keys(server.get("server/ModelMap.ini", ""))
mirrors = [v for s, k, v in modelmap if s == "FTP SITE" and k.startswith("FTP") and k != "FTP Number"]
count = probe(live, "file ModelMap.ini\nint FTP SITE|FTP Number|0\n")
if not mirrors or count != [str(len(mirrors))]:
    fail(f"ModelMap.ini: FTP Number {count} for mirrors {mirrors}")
for m in mirrors:
    if probe(live, f"file ModelMap.ini\nstr {m}|IP||256\n")[0].startswith("0 "):
        fail(f"ModelMap.ini: mirror {m} has no IP")
for s, k, v in modelmap:
    if s == "MODELMAP" and not v.startswith("\\"):
        fail(f"ModelMap.ini: board folder {v} without its leading backslash")
# The action words a live-update list fetches, from the program's one table of them.
table = (GUIDE.parent.parent / "src/core/ExecAction.h").read_text(encoding="latin-1")
fetched = {w.lower() for w, f in re.findall(r'\{"(\w+)", ExecAction::\w+, ExecAction::(\w+)\}', table) if f != "None"}
if not fetched:
    fail("no action word that a live-update list fetches in src/core/ExecAction.h")
for section in {s for s, k, v in keys(server.get("server/Drivers.ini", ""))}:
    script = f"file Drivers.ini\nstr {section}|Type||256\nstr {section}|Behavior||256\n"
    kind, behavior = (answer.split(" ", 1)[-1].split("\\x00")[0] for answer in probe(live, script))
    if not kind or behavior.lower() not in fetched:
        fail(f"Drivers.ini: [{section}] Type {kind!r} Behavior {behavior!r}")

shutil.rmtree(SCRATCH, ignore_errors=True)
print(f"{len(failures)} failed" if failures else "all examples hold")
sys.exit(1 if failures else 0)
