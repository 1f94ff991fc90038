#!/usr/bin/env python3
"""The sample CD under every Windows the program is made for, as Wine reports them, in both of the
modes a user meets: replaying the sample board's dump (-sim) and detecting the machine (no argument).
Each run must reach the menu (the five tabs) and end with 0 at Close. Every setting takes another
path at start: the 9x registry, BIOS table and wait, no administrator check on 9x, WMI on NT, WOW64.
    platforms_e2e.py WINDOWS_BUILD_DIR [--wow64] [CASE...]
The settings of 32-bit Windows run in the prefix kind WINEARCH names; --wow64 runs those of the 64-bit
editions instead, in a 64-bit prefix (WINEARCH=win64), where the 32-bit program runs under WoW64.
"""
import sys

from autorun_e2e import SRC, Run, check, make_cd, run_cases, tab_row, wine

SETTINGS_32 = ["win95", "win98", "winme", "win2k", "winxp", "win2003"]
SETTINGS_64 = ["winxp64", "win7"]


def sample_cd():
    files = {p.relative_to(SRC / "examples").as_posix(): p.read_bytes()
             for p in (SRC / "examples").rglob("*") if p.is_file()}
    return make_cd(files)


def reaches_menu(setting):
    wine("reg", "add", "HKCU\\Software\\Wine\\AppDefaults\\Autorun.exe", "/v", "Version", "/d", setting, "/f")
    cd = sample_cd()
    for args in (["-sim:R:\\Sample.dmp"], []):
        run = Run(cd, *args)
        tabs = tab_row(run.windows(seconds=40))
        check([t.caption for t in tabs] == ["Documents", "Drivers", "Utilities", "One-Click", "Live Update"],
              f"{setting} {args}: tabs {tabs}")
        check(run.end() == 0, f"{setting} {args}: Close ends with 0")


def case(setting):
    def run():
        reaches_menu(setting)
    run.__name__ = "case_" + setting
    return run


CASES = [case(s) for s in (SETTINGS_64 if "--wow64" in sys.argv else SETTINGS_32)]

if __name__ == "__main__":
    sys.exit(run_cases(CASES, [a for a in sys.argv[2:] if a != "--wow64"]))
