#!/usr/bin/env python3
"""Autorun.exe under Wine on fixture CDs, its window read from outside.

Each case writes a CD folder, starts R:\\Autorun.exe on it and reads the window: ids, captions,
rectangles, visibility, enabled state; a screenshot for the pixel checks. Runs under one Xvfb display.
    menu_e2e.py WINDOWS_BUILD_DIR [CASE...]
"""
import collections
import re
import struct
import subprocess
import sys

from autorun_e2e import (BUILD, SCRATCH, SRC, Run, bmp, check, dump, ini, make_cd, parse_ppm, probe, root_ini,
                         run_cases, solid, tab_row, visible_page, wine)


# ---- bitmaps ---------------------------------------------------------------------------------

def patterned():
    # Distinct colours everywhere, so a copy from the wrong place shows.
    return bmp(640, 480, lambda x, y: ((x * 7) & 255, (y * 5) & 255, ((x + y) * 3) & 255))


def rle8():
    path = SCRATCH / "rle.bmp"
    subprocess.run(["convert", "-size", "640x480", "gradient:red-blue", "-colors", "64", "-type", "Palette",
                    "-compress", "RLE", f"BMP3:{path}"], check=True)
    return path.read_bytes()


def sample_cd():
    files = {p.relative_to(SRC / "examples").as_posix(): p.read_bytes()
             for p in (SRC / "examples").rglob("*") if p.is_file()}
    return make_cd(files)


# ---- cases -----------------------------------------------------------------------------------

def case_sample_cd_pages():
    run = Run(sample_cd(), "-sim:R:\\Sample.dmp")
    w = run.windows()
    tabs = tab_row(w)
    check([t.caption for t in tabs] == ["Documents", "Drivers", "Utilities", "One-Click", "Live Update"],
          f"tabs {tabs}")
    check([t.rect for t in tabs] == [(40 + k * 112, 80, 142 + k * 112, 120) for k in range(5)], f"{tabs}")
    check(not tabs[0].enabled and all(t.enabled for t in tabs[1:]), "first tab selected")
    check(w[20001].rect == (520, 420, 600, 460) and w[20001].caption == "Close", f"{w[20001]}")
    check(w[20002].rect == (30, 420, 110, 460) and w[20002].caption == "", f"{w[20002]}")
    check(w[20003].rect == (180, 420, 270, 460) and w[20003].caption == "Browse CD", f"{w[20003]}")
    check(w[2050].rect == (310, 150, 600, 400) and w[2050].visible, f"{w[2050]}")
    page = visible_page(w)
    check([(b.id, b.rect) for b in page] == [(10 + g, (50, 130 + 35 * g, 300, 160 + 35 * g)) for g in range(3)],
          f"Normal page {page}")
    check(page[0].caption == "User's Manual (PDF)", f"{page}")

    probe("click", "10002")
    w = run.windows()
    check(not w[10002].enabled and w[10001].enabled, "second tab selected by click")
    page = visible_page(w)
    # File order: chipset, display (by class code), audio, LAN; the USB section is for Windows 2000.
    check([b.caption.split()[0] for b in page] == ["Intel", "ATI", "AC97", "Realtek"], f"Driver page {page}")
    check(sorted(b.id for b in page) == [20, 21, 22, 23], f"{page}")
    check([b.rect[1] for b in page] == [130, 165, 200, 235], f"{page}")
    check(not w[10].visible, "Normal page hidden")

    probe("click", "10004")
    w = run.windows()
    check(w[40].visible and w[40].rect == (50, 130, 300, 160), f"install button {w[40]}")
    check(w[40].caption == "Install All Drivers (Windows XP)", f"{w[40]}")

    probe("click", "10005")
    w = run.windows()
    check(w[20005].visible and w[20005].rect == (50, 150, 600, 330), f"start message {w[20005]}")
    check(w[20004].visible and w[20004].rect == (500, 350, 620, 400), f"start button {w[20004]}")
    check(w[20004].caption == "Start", f"{w[20004]}")
    probe("click", "10001")
    w = run.windows()
    check(not w[20004].visible and not w[20005].visible and not w[40].visible, "live start page hidden")

    probe("click", "20001")
    check(run.wait() == 0, "Close ends with 0")


def case_sample_cd_reads_each_file_once():
    trace = SCRATCH / "opens.txt"
    run = Run(sample_cd(), "-sim:R:\\Sample.dmp", trace=trace)
    run.windows()
    run.end()
    # Wine's NtCreateFile names every file the program opens, through the profile calls or not.
    opens = collections.Counter(
        m.group(1).lower() for m in re.finditer(r'NtCreateFile .*?name=L"\\\\\?\?\\\\R:\\\\([^"]*\.(?:ini|dmp))"',
                                                trace.read_text(errors="replace"), re.I))
    check(opens == {name: 1 for name in ["root.ini", "sample.dmp", "liveupdate.ini", "pages\\\\documents.ini",
                                         "pages\\\\drivers.ini", "pages\\\\utilities.ini", "pages\\\\install.ini",
                                         "pages\\\\liveupdate.ini"]}, f"opened: {dict(opens)}")


def case_single_instance():
    cd = make_cd({"Root.ini": root_ini([{"Caption": "One"}])})
    first = Run(cd)
    first.windows()
    second = Run(cd)
    check(second.wait(20) == 0, "second instance ends with 0")
    check(first.windows().get(10001) is not None, "first still there")
    check(first.foreground, "first brought to the front")
    check(first.end() == 0, "first ends with 0")


def case_vetoed_shutdown():
    # Another program refuses the log-off: the detection object is gone, and Close must cope.
    run = Run(make_cd({"Root.ini": root_ini([{"Caption": "A"}])}))
    run.windows()
    check(probe("endsession").stdout.strip() == "1", "Windows may log off")
    check(probe("endsession").stdout.strip() == "1", "asked twice")
    probe("click", "20001")
    check(run.wait() == 0, "Close after a vetoed shutdown ends with 0")


def case_tab_counts():
    for n in range(1, 10):
        run = Run(make_cd({"Root.ini": root_ini([{"Caption": f"T{k}"} for k in range(1, n + 1)])}))
        tabs = tab_row(run.windows())
        w = (610 - 10 * n) // n
        check([t.rect for t in tabs] == [(40 + k * w, 80, 30 + (k + 1) * w, 120) for k in range(n)],
              f"{n} tabs: {tabs}")
        check([t.id for t in tabs] == list(range(10001, 10001 + n)), f"{n} tabs ids")
        run.end()


def case_hidden_tab_and_gap():
    tabs = [{"Caption": "A"}, {"Caption": "B", "Type": "1"}, {"Caption": "C"}, {"Caption": "D"}]
    run = Run(make_cd({"Root.ini": root_ini(tabs)}))
    row = tab_row(run.windows())
    check([(t.id, t.caption, t.rect[0]) for t in row] == [(10001, "A", 40), (10002, "C", 182), (10003, "D", 324)],
          f"Type=1 tab left out, width for four: {row}")
    run.end()
    # No TabButton3: the list ends there.
    run = Run(make_cd({"Root.ini": root_ini([{"Caption": "A"}, {"Caption": "B"}, None, {"Caption": "D"}])}))
    check([t.caption for t in tab_row(run.windows())] == ["A", "B"], "list ends at the gap")
    run.end()


def case_language_captions():
    tabs = [{"Caption": "One", "Caption.CHT": "Uno"}, {"Caption.CHT": "Only"}, {"Caption": "Three"}]
    for lang, expect in (("CHT", [("Uno", 40), ("Only", 335), ("Three", 630)]),
                         ("ENU", [("One", 40), ("Three", 335)])):
        cd = make_cd({"Root.ini": root_ini(tabs), "hw.dmp": dump([], lang=lang)})
        run = Run(cd, "-sim:R:\\hw.dmp")
        row = tab_row(run.windows())
        check([(t.caption, t.rect[0]) for t in row] == expect, f"{lang}: {row}")
        run.end()


def case_tenth_tab():
    run = Run(make_cd({"Root.ini": root_ini([{"Caption": f"T{k}"} for k in range(1, 11)])}))
    w = run.windows()
    check(w[10010].rect == (40 + 9 * 51, 80, 30 + 10 * 51, 120), f"tenth tab {w[10010]}")
    probe("click", "10010")
    w = run.windows()
    check(not w[10001].enabled and w[10010].enabled, "clicking the tenth tab selects nothing")
    run.end()


def case_fixed_buttons():
    root = {"CloseButton": "500,400,580", "WebButton": "abc, x, ,", "BrowseCD": "yes"}
    run = Run(make_cd({"Root.ini": root_ini([{"Caption": "A"}], root)}))
    w = run.windows()
    check(w[20001].rect == (500, 400, 580, 580), f"missing numbers repeat the last: {w[20001]}")
    check(w[20002].rect == (0, 0, 0, 0), f"garbage reads as zeros: {w[20002]}")
    check(20003 not in w, "BrowseCD=yes (small letters) makes no Browse CD button")
    run.end()


def case_missing_root_ini():
    run = Run(make_cd({}))
    check(run.wait(30) == 0, "no Root.ini: exit 0")
    check(probe("list", "0").returncode == 1, "and no window")


def case_custom_mode():
    files = {"Root.ini": root_ini([{"Caption": "FromRoot"}], {"Background": "<Path>\\root.bmp"}),
             "Other.ini": root_ini([{"Caption": "FromOther"}], {"Background": "<Path>\\other.bmp"}),
             "root.bmp": solid((200, 0, 0)), "other.bmp": solid((0, 200, 0))}
    cd = make_cd(files)
    run = Run(cd, "\\Other.ini")
    w = run.windows()
    check(w[10001].caption == "FromRoot", f"tabs come from Root.ini: {w[10001]}")
    check(run.shot()[300][20] == (0, 200, 0), "background from Other.ini")
    run.end()
    # A plain word must open as a file: the file error, and start-up fails.
    run = Run(cd, "\\Missing.ini")
    box = wine(str(BUILD / "tests" / "press_ok.exe"), "was not found", "30")
    check("was not found" in box.stdout, f"file error: {box.stdout}")
    check(run.wait() == 1, "failed start-up ends with 1")


def case_auto_detect_background():
    lan = "PCI\\VEN_10EC&DEV_8139&SUBSYS_0845FA01&CC_0200"
    files = {"Root.ini": root_ini([{"Caption": "A"}], {"Background": "autodetectbg"},
                                  {"AutoDetectBg": {"VEN_10EC&DEV_8139&SUBSYS_0845FA01": "<Path>\\lan.bmp",
                                                    "Default": "<Path>\\default.bmp"}}),
             "lan.bmp": solid((0, 0, 200)), "default.bmp": solid((200, 200, 0)),
             "with.dmp": dump(["PCI\\VEN_8086&DEV_24C5&SUBSYS_0845FA01&CC_0401", lan]),
             "without.dmp": dump(["PCI\\VEN_8086&DEV_24C5&SUBSYS_0845FA01&CC_0401"])}
    cd = make_cd(files)
    for dmp, colour in (("with.dmp", (0, 0, 200)), ("without.dmp", (200, 200, 0))):
        run = Run(cd, f"-sim:R:\\{dmp}")
        run.windows()
        check(run.shot()[300][20] == colour, f"{dmp}: background {run.shot()[300][20]}")
        run.end()


def case_bad_input():
    long = "W" * 3000  # profile values stop at 2047 characters
    normal = ini({"IniInfo": {"IniType": "Normal", "BtnNum": "100000", "Button1": "B1", "Button2": "B2"},
                  "B1": {"Type": "1", "Caption": "First"}, "B2": {"Type": "1", "Caption": "Second"}})
    cases = {
        "no tabs": ({"Root.ini": root_ini([])}, lambda w: not tab_row(w) and 20001 in w),
        "3000-character captions": (
            {"Root.ini": root_ini([{"Caption": long}], {"DefaultCaption": long, "SubCaption": long})},
            lambda w: w[10001].caption == long[:2047]),
        "BtnNum=100000": (
            {"Root.ini": root_ini([{"Caption": "A", "File": "<Path>\\p.ini"}]), "p.ini": normal},
            lambda w: [b.caption for b in visible_page(w)] == ["First", "Second"]),
    }
    broken = {
        "truncated": solid((0, 200, 0))[:5000],
        "RLE-compressed": rle8(),
        "overflowing size": bmp(4, 4, lambda x, y: (0, 0, 0), declared=(0x7FFFFFFF, 0x7FFFFFFF), bpp=32),
        "offset past the end": bmp(4, 4, lambda x, y: (0, 0, 0))[:10] + struct.pack("<I", 10**6)
        + bmp(4, 4, lambda x, y: (0, 0, 0))[14:],
    }
    for what, data in broken.items():
        cases[f"bitmap {what}"] = ({"Root.ini": root_ini([{"Caption": "A"}]), "bg.bmp": data},
                                   lambda w: 10001 in w)
    for what, (files, ok) in cases.items():
        run = Run(make_cd(files))
        w = run.windows()
        check(ok(w), f"{what}: {sorted(w.values(), key=lambda x: x.id)[:6]}")
        check(run.end() == 0, f"{what}: clean end")

    # A top-down bitmap is drawn the right way up.
    top_red = bmp(640, 480, lambda x, y: (200, 0, 0) if y < 240 else (0, 0, 200), top_down=True)
    run = Run(make_cd({"Root.ini": root_ini([{"Caption": "A"}]), "bg.bmp": top_red}))
    run.windows()
    px = run.shot()
    check(px[200][20] == (200, 0, 0) and px[300][20] == (0, 0, 200), "top-down bitmap upright")
    run.end()


def case_pixels():
    grey = (128, 128, 128)
    cd = make_cd({"Root.ini": root_ini([{"Caption": "A"}, {"Caption": "B"}], {"DefaultCaption": "Shadow Test"}),
                  "bg.bmp": solid(grey)})
    run = Run(cd)
    run.windows()
    px = run.shot()
    dark = [(x, y) for y in range(10, 80) for x in range(40, 620) if max(px[y][x]) < 60]
    bright = lambda p: min(px[p[1]][p[0]]) > 200
    check(len(dark) > 200, f"black copy of the title drawn ({len(dark)} pixels)")
    right = sum(bright((x + 2, y + 2)) for x, y in dark) / len(dark)
    wrong = sum(bright((x - 2, y - 2)) for x, y in dark) / len(dark)
    check(right > 0.9 and wrong < right - 0.3, f"white copy 2 px right and down: {right:.2f} vs {wrong:.2f}")
    check(all(px[121][x] == (255, 255, 255) for x in range(42, 598)), "rule on y = 121")
    check(px[117][300] == grey and px[125][300] == grey, "rule 2 pixels high")
    run.end()

    pattern = patterned()
    cd = make_cd({"Root.ini": root_ini([{"Caption": "A"}, {"Caption": "B"}]), "bg.bmp": pattern})
    run = Run(cd)
    run.windows()
    px = run.shot()
    ref = parse_ppm(subprocess.run(["convert", str(cd / "bg.bmp"), "ppm:-"], check=True,
                                   capture_output=True).stdout)
    check(all(px[y][x] == ref[y][x] for y in range(420, 460) for x in range(30, 110)),
          "background shows through the web-link button")
    left, top, right, bottom = run.windows()[10002].rect
    edge = lambda px, y: [px[y][x] for x in range(left + 5, right - 5)]
    before = edge(px, top)
    probe("hover", "10002")
    px = run.shot()
    light, shadow = [tuple(int(v) for v in line.split()) for line in probe("colors").stdout.splitlines()]
    check(before != edge(px, top) == [light] * (right - left - 10),
          f"hovered flat tab: top edge in the highlight colour {px[top][left + 5]}")
    check(edge(px, bottom - 1) == [shadow] * (right - left - 10),
          f"hovered flat tab: bottom edge in the shadow colour {px[bottom - 1][left + 5]}")
    run.end()


CASES = [v for k, v in list(globals().items()) if k.startswith("case_")]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv[2:]))
