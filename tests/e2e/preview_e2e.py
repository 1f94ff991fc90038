#!/usr/bin/env python3
"""autorun-preview against the window: the menu the preview prints for the sample CD and Sample.dmp is
what Autorun.exe shows on that CD in -sim mode, read from outside tab by tab (ids, captions, places).
    preview_e2e.py WINDOWS_BUILD_DIR AUTORUN_PREVIEW
"""
import json
import subprocess
import sys

from autorun_e2e import SRC, Run, check, make_cd, probe, run_cases, tab_row

PREVIEW = sys.argv[2]


def shown(items):
    return sorted((item["id"], item.get("caption", item.get("text")), tuple(item["rect"])) for item in items)


def case_sample_cd_as_previewed():
    examples = SRC / "examples"
    cd = make_cd({p.relative_to(examples).as_posix(): p.read_bytes() for p in examples.rglob("*") if p.is_file()})
    menu = json.loads(subprocess.run([PREVIEW, str(cd), "--dump", str(cd / "Sample.dmp"), "--json"], check=True,
                                     capture_output=True, encoding="latin-1").stdout)
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


if __name__ == "__main__":
    sys.exit(run_cases([case_sample_cd_as_previewed]))
