#!/usr/bin/env python3
"""autorun-preview against the window: the menu the preview prints for the sample CD and Sample.dmp is
what Autorun.exe shows on that CD in -sim mode, read from outside tab by tab (ids, captions, places).
    preview_e2e.py WINDOWS_BUILD_DIR AUTORUN_PREVIEW
"""
import json
import subprocess
import sys

import jsonschema

from autorun_e2e import SRC, Run, check, make_cd, probe, run_cases, tab_row, wine

PREVIEW = sys.argv[2]


def shown(items):
    return sorted((item["id"], item.get("caption", item.get("text")), tuple(item["rect"])) for item in items)


def case_sample_cd_as_previewed():
    examples = SRC / "examples"
    cd = make_cd({p.relative_to(examples).as_posix(): p.read_bytes() for p in examples.rglob("*") if p.is_file()})
    menu = json.loads(subprocess.run([PREVIEW, str(cd), "--dump", str(cd / "Sample.dmp"), "--json"], check=True,
                                     capture_output=True, encoding="utf-8").stdout)["menu"]
    run = Run(cd, "-sim:R:\\Sample.dmp")
    w = run.windows()
    check([(t.id, t.caption, t.rect) for t in tab_row(w)] == shown(menu["tabs"]), f"tabs {tab_row(w)}")
    check(sorted((b["id"], w[b["id"]].caption, w[b["id"]].rect) for b in menu["buttons"]) == shown(menu["buttons"]),
          f"fixed buttons {menu['buttons']}")
    for tab in menu["tabs"]:
        if tab is not menu["tabs"][0]:
            probe("click", str(tab["id"]))
        w = run.windows()
        page = tab["buttons"] + [tab[k] for k in ("install",) if k in tab]
        page += list(tab["live"].values()) if "live" in tab else []
        got = sorted((x.id, x.caption, x.rect) for x in w.values()
                     if x.visible and (x.id < 10000 and x.id != 2050 or x.id in (20004, 20005)))
        check(got == shown(page), f"tab {tab['caption']}: window {got}, preview {shown(page)}")
    run.end()


def with_cd_at_r(value, cd):
    """The preview names the CD folder by its Linux path; the program on drive R: says R:."""
    if isinstance(value, dict):
        return {k: with_cd_at_r(v, cd) for k, v in value.items()}
    if isinstance(value, list):
        return [with_cd_at_r(v, cd) for v in value]
    return value.replace(str(cd), "R:") if isinstance(value, str) else value


def case_report_is_the_preview():
    """Autorun.exe -report for a dump says what the preview says for it, and both follow the schema."""
    examples = SRC / "examples"
    cd = make_cd({p.relative_to(examples).as_posix(): p.read_bytes() for p in examples.rglob("*") if p.is_file()})
    preview = json.loads(subprocess.run([PREVIEW, str(cd), "--dump", str(cd / "Sample.dmp"), "--json"], check=True,
                                        capture_output=True, encoding="utf-8").stdout)
    code = wine("R:\\Autorun.exe", "-sim:R:\\Sample.dmp", "-report:R:\\report.json", timeout=120).returncode
    check(code == 0, f"exit code {code}")
    report = json.loads((cd / "report.json").read_text(encoding="utf-8"))
    jsonschema.validate(report, json.loads((SRC / "docs" / "machine-report.schema.json").read_text()))
    check(report == with_cd_at_r(preview, cd), f"report {report}\npreview {preview}")
    check(report["install"]["steps"][1] == {"reboot": True}, "the install steps")


if __name__ == "__main__":
    sys.exit(run_cases([case_sample_cd_as_previewed, case_report_is_the_preview]))
