#!/usr/bin/env python3
"""autorun-lint from outside: exit codes, --werror, --json read back, and the reason when it cannot lint.
    lint_cli_test.py AUTORUN_LINT
"""
import json
import pathlib
import subprocess
import sys
import tempfile

LINT = sys.argv[1]
SCRATCH = tempfile.TemporaryDirectory(prefix="lintcli-")
BMP = bytes([66, 77, 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,
             0, 0, 0, 0, 4, 0, 0, 0] + [0] * 20)


def cd(root, **files):
    """A CD folder with Root.ini, a Normal page and its bitmap; `files` add or replace files."""
    folder = pathlib.Path(tempfile.mkdtemp(dir=SCRATCH.name))
    files = {"Root.ini": root, "bg.bmp": BMP,
             "Page.ini": "[IniInfo]\r\nIniType=Normal\r\nBtnNum=1\r\nButton1=B\r\n"
                         "[B]\r\nType=1\r\nCaption=Site\r\nBehavior=Link\r\nFile=http://example/\r\n", **files}
    for name, text in files.items():
        (folder / name).write_bytes(text if isinstance(text, bytes) else text.encode("latin-1"))
    return folder


ROOT = "[Root]\r\nBackground=<Path>\\bg.bmp\r\nTabButton1=T\r\n[T]\r\nCaption=Tab\r\nFile=<Path>\\Page.ini\r\n"


def lint(*args):
    return subprocess.run([LINT, *map(str, args)], capture_output=True, text=True, encoding="latin-1")


def check(cond, what):
    if not cond:
        print("FAIL:", what)
        SCRATCH.cleanup()
        sys.exit(1)


clean = lint(cd(ROOT))
check(clean.returncode == 0 and clean.stdout == "", f"a clean CD: {clean}")

warned = cd(ROOT + "[Spare]\r\nx=1\r\n")
w = lint(warned)
check(w.returncode == 0 and w.stdout == "Root.ini:7: warning: [Spare] : nothing names this section: the "
      "program never reads it\n", f"a warning alone passes: {w}")
check(lint("--werror", warned).returncode == 1, "--werror fails on a warning")

broken = cd(ROOT.replace("Background=", "Background=<Path>\\none.bmp\r\nX=") + "[Spare]\r\nx=1\r\n")
text, js = lint(broken), lint("--json", broken)
check(text.returncode == 1 and js.returncode == 1, f"an error fails: {text}")
lines = [f"{f['path']}:{f['line']}: {f['severity']}: [{f['section']}] {f['key']}: {f['message']}"
         for f in json.loads(js.stdout)]
check(lines == text.stdout.splitlines() and len(lines) == 3, f"--json holds the text's findings: {lines}")
check(json.loads(js.stdout)[0] == {"path": "Root.ini", "line": 2, "severity": "error", "section": "Root",
                                   "key": "Background", "message": "no such file on the CD: none.bmp"}, js.stdout)
check(json.loads(lint("--json", cd(ROOT)).stdout) == [], "--json of a clean CD is an empty array")

big5 = cd(ROOT.replace("Caption=Tab", "Caption=Tab\r\nCaption.CHT=\xa4\xa4\r\nCaption.XYZ=\xa4\xa4"))
check(json.loads(lint("--json", big5).stdout)[0]["key"] == "Caption.XYZ", "8-bit text in JSON")

none = cd(ROOT)
(none / "Root.ini").unlink()
r = lint(none)
check(r.returncode == 2 and r.stdout == "" and r.stderr == f"autorun-lint: no Root.ini in {none}\n", f"{r}")
r = lint(none / "missing")
check(r.returncode == 2 and "cannot read the folder" in r.stderr, f"{r}")
check(lint().returncode == 2 and lint("--nonsense", none).returncode == 2, "usage")
SCRATCH.cleanup()
print("all passed")
