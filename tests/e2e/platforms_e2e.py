#!/usr/bin/env python3
"""The sample CD under every Windows the program is made for, as Wine reports them, in both of the
modes a user meets: replaying the sample board's dump (-sim) and detecting the machine (no argument).
Each run must reach the menu (the five tabs) and end with 0 at Close. Every setting takes another
path at start: the 9x registry, BIOS table and wait, no administrator check on 9x, WMI on NT, WOW64.
    platforms_e2e.py WINDOWS_BUILD_DIR [--wow64] [CASE...]
The settings of 32-bit Windows run in the prefix kind WINEARCH names; --wow64 runs those of the 64-bit
editions instead, in a 64-bit prefix (WINEARCH=win64), where the 32-bit program runs under WoW64.
Both then check the names of Windows Vista to 11 that a CD can ask for: which sections a driver page
and an install page pick under Windows 7, 10 and 11, with and without the CD's DetectModernWindows,
and that XP is named as always.
"""
import re
import sys

from autorun_e2e import ARCH, BUILD, SRC, Run, check, ini, make_cd, poll, run_cases, tab_row, visible_page, wine

SETTINGS_32 = ["win95", "win98", "winme", "win2k", "winxp", "win2003"]
SETTINGS_64 = ["winxp64", "win7"]


def sample_cd():
    files = {p.relative_to(SRC / "examples").as_posix(): p.read_bytes()
             for p in (SRC / "examples").rglob("*") if p.is_file()}
    return make_cd(files)


def set_version(setting):
    """Wine's version for Autorun.exe. Wine 8 has no name for Windows 11: the registry's CurrentVersion
    10.0 and build 22000 make it, with no version named anywhere."""
    key = "HKCU\\Software\\Wine\\AppDefaults\\Autorun.exe"
    nt = "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion"
    if setting != "win11":
        wine("reg", "add", key, "/v", "Version", "/d", setting, "/f")
        return
    wine("reg", "delete", key, "/v", "Version", "/f")
    wine("reg", "delete", "HKCU\\Software\\Wine", "/v", "Version", "/f")
    wine("reg", "add", nt, "/v", "CurrentVersion", "/d", "10.0", "/f")
    wine("reg", "add", nt, "/v", "CurrentBuildNumber", "/d", "22000", "/f")


def reaches_menu(setting):
    set_version(setting)
    cd = sample_cd()
    for args in (["-sim:R:\\Sample.dmp"], []):
        run = Run(cd, *args)
        tabs = tab_row(run.windows(seconds=40))
        check([t.caption for t in tabs] == ["Documents", "Drivers", "Utilities", "One-Click", "Live Update"],
              f"{setting} {args}: tabs {tabs}")
        check(run.end() == 0, f"{setting} {args}: Close ends with 0")


def modern_cd(device, opt_in):
    """A CD whose driver and install pages have a section per Windows name, and one without a name."""
    names = ["WinXP", "WinXPA", "Win7", "Win7A", "Win10", "Win10A", "Win11", "Win11A"]
    drivers = {"IniInfo": {"IniType": "Driver"}, device: {"Caption": "Driver plain", "Type": "1"}}
    install = {"IniInfo": {"IniType": "SingleInstall"}, "Base Board": {"Caption": "Install plain"}}
    for n in names:
        drivers[f"{device}.{n}"] = {"Caption": f"Driver {n}", "Type": "1"}
        install[f"Base Board.{n}"] = {"Caption": f"Install {n}"}
    root = {"DefaultCaption": "Modern", "Background": "<Path>\\bg.bmp", "TabButton1": "Drv", "TabButton2": "Ins"}
    if opt_in:
        root["DetectModernWindows"] = "yes"
    return make_cd({"Root.ini": ini({"Root": root, "Drv": {"Caption": "Drivers", "File": "<Path>\\d.ini"},
                                     "Ins": {"Caption": "Install", "File": "<Path>\\i.ini"}}),
                    "d.ini": ini(drivers), "i.ini": ini(install)})


def first_device():
    """The first hardware id Wine's SetupAPI lists, from a dump of this prefix."""
    cd = make_cd({"Root.ini": ini({"Root": {"DefaultCaption": "Dump"}})})
    run = Run(cd, "-dump:R:\\hw.ini")
    wine(str(BUILD / "tests" / "press_ok.exe"), "Complete writeing", "30")
    run.wait(30)
    ids = re.findall(r"^HWID\d+=(.+?)\r?$", (cd / "hw.ini").read_text(errors="replace"), re.M)
    check(ids, "the dump holds no device")
    return ids[0]


def names_modern_windows(setting, opt_in, expected):
    """The pages' sections for `setting`: `expected` names the section, None the one without a name.
    A 32-bit program in a 64-bit prefix runs under WoW64, where the 64-bit names apply."""
    set_version(setting)
    device = first_device()
    run = Run(modern_cd(device, opt_in))
    run.windows(seconds=40)
    wow64 = ARCH == "win64" and BUILD.name == "win32"
    want = (expected + ("A" if wow64 else "")) if expected else "plain"
    page = [b.caption for b in visible_page(run.windows())]
    check(page == [f"Driver {want}"], f"{setting}: driver page {page}, {want} wanted")
    wine(str(BUILD / "tests" / "probe_windows.exe"), "click", "10002")

    def install_page():  # the click is posted: the page changes when the program has read it
        page = [b.caption for b in visible_page(run.windows())]
        return page if not any(c.startswith("Driver ") for c in page) else None
    page = poll(install_page, f"{setting}: the install page after the tab's click", 10)
    check(page == [f"Install {want}"], f"{setting}: install page {page}, {want} wanted")
    check(run.end() == 0, f"{setting}: Close ends with 0")


def case(setting):
    def run():
        reaches_menu(setting)
    run.__name__ = "case_" + setting
    return run


def modern(setting, opt_in, expected):
    def run():
        names_modern_windows(setting, opt_in, expected)
    run.__name__ = f"case_modern_{setting}" + ("" if opt_in else "_without_key")
    return run


MODERN = [modern("win7", True, "Win7"), modern("win10", True, "Win10"), modern("win10", False, None),
          modern("winxp", True, "WinXP"), modern("win11", True, "Win11")]
CASES = [case(s) for s in (SETTINGS_64 if "--wow64" in sys.argv else SETTINGS_32)] + MODERN

if __name__ == "__main__":
    sys.exit(run_cases(CASES, [a for a in sys.argv[2:] if a != "--wow64"]))
