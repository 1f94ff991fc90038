#!/usr/bin/env python3
"""autorun-preview --json is the machine report: it validates against docs/machine-report.schema.json, and a
Traditional Chinese caption, Big5 on the CD, comes out as the same Chinese text Python's cp950 codec reads.
    report_test.py AUTORUN_PREVIEW
"""
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile

import jsonschema

PREVIEW = sys.argv[1]
SRC = pathlib.Path(__file__).resolve().parents[2]
SCHEMA = json.loads((SRC / "docs" / "machine-report.schema.json").read_text())


def report(cd, dump):
    out = subprocess.run([PREVIEW, str(cd), "--dump", str(dump), "--json"], check=True, capture_output=True).stdout
    return json.loads(out.decode("utf-8"))


def check(cond, what):
    if not cond:
        print("FAIL:", what)
        sys.exit(1)


with tempfile.TemporaryDirectory(prefix="report-") as scratch:
    cd = pathlib.Path(scratch) / "cd"
    shutil.copytree(SRC / "examples", cd)
    sample = report(cd, cd / "Sample.dmp")
    jsonschema.validate(sample, SCHEMA)
    check(sample["install"]["section"] == "X845.WinXP" and sample["install"]["steps"][1] == {"reboot": True},
          f"the install steps: {sample['install']}")
    check(sample["machine"]["wine"] is None, "a dump says nothing of Wine")

    cht = pathlib.Path(scratch) / "cht.dmp"
    cht.write_bytes((cd / "Sample.dmp").read_bytes().replace(b"Lang=ENU", b"Lang=CHT"))
    chinese = report(cd, cht)
    jsonschema.validate(chinese, SCHEMA)
    raw = next(line for line in (cd / "Pages" / "Install.ini").read_bytes().splitlines()
               if line.startswith(b"Caption.CHT="))
    expected = raw[len(b"Caption.CHT="):].decode("cp950").replace("<DetectOS>", "WinXP")
    check(chinese["install"]["caption"] == expected, f"{chinese['install']['caption']!r} is not {expected!r}")
print("all passed")
