#!/usr/bin/env python3
"""Start-up benchmark under Wine + Xvfb: time from starting the program to its window being shown,
for Autorun.exe on the sample CD in simulation mode (all pages built) and for a bare Win32 window
started the same way; and Autorun's peak working set.
    xvfb-run -a -s '-screen 0 1024x768x24' scripts/benchmark.py [BUILD_DIR] [RUNS]
"""
import os
import pathlib
import shutil
import statistics
import subprocess
import sys

TOP = pathlib.Path(__file__).resolve().parents[1]
BUILD = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else TOP / "build").resolve()
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 9
# The shipped 32-bit build in a 32-bit prefix, or the 64-bit one where this machine runs no 32-bit code.
ARCH = subprocess.run([str(TOP / "scripts/windows-test-build.sh")], capture_output=True, text=True).stdout.strip()
WIN = BUILD / ARCH
ROOT = WIN / "wine-bench"
WINVER = "winxp" if ARCH == "win32" else "winxp64"
PREFIX = ROOT / WINVER
WINE = "/usr/lib/wine/wine" if ARCH == "win32" else "/usr/lib/wine/wine64"
ENV = dict(os.environ, WINEPREFIX=str(PREFIX), WINEDEBUG="-all", WINEARCH=ARCH,
           WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d")


def launch(window_class, command):
    """Milliseconds from starting `command` until a visible window of `window_class` exists, and the
    program's peak working set in KB, as measured inside Wine by the probe (no polling from outside)."""
    out = subprocess.run([WINE, str(WIN / "tests/probe_windows.exe"), "launch", window_class, command],
                         env=ENV, capture_output=True, text=True, stdin=subprocess.DEVNULL, timeout=120)
    if out.returncode != 0:
        raise SystemExit(f"{command}: no window")
    ms, kb = out.stdout.split()
    return float(ms), int(kb)


def main():
    cd = BUILD / "bench-cd"
    shutil.rmtree(cd, ignore_errors=True)
    shutil.copytree(TOP / "examples", cd)
    shutil.copy(WIN / "Autorun.exe", cd)
    shutil.copy(WIN / "tests/bare_window.exe", cd)
    # The sample's start page would be timed too; the benchmark is about the menu.
    root = (cd / "Root.ini").read_bytes().replace(b"StartWindow=<Path>\\Start\\index.htm", b"StartWindow=Normal")
    (cd / "Root.ini").write_bytes(root)
    # Wine's session processes keep the output handles of the program that started them: give them none.
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([str(TOP / "tests/wine/wine-run.sh"), "--winver", WINVER, "cmd", "/c", "exit"],
                   env=dict(ENV, WINE_ROOT=str(ROOT)), **quiet)
    # Xvfb has no window manager: a managed window that goes away would wait 2 s for one to answer.
    subprocess.run([WINE, "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f"],
                   env=ENV, **quiet)
    link = PREFIX / "dosdevices/r:"
    if link.is_symlink():
        link.unlink()
    link.symlink_to(cd)
    # One warm session for every run, started before the first timed program.
    subprocess.run(["/usr/lib/wine/wineserver", "-p"], env=ENV, **quiet)
    subprocess.run([WINE, "cmd", "/c", "exit"], env=ENV, **quiet)
    autorun, bare, memory = [], [], []
    try:
        for i in range(RUNS + 1):
            a, m = launch("VORN CD Autorun Program V1.2.2.6", "R:\\Autorun.exe -sim:R:\\Sample.dmp")
            b, n = launch("BareWindow", "R:\\bare_window.exe")
            if i:  # the first of each warms the caches
                autorun.append(a)
                bare.append(b)
                memory.append((m, n))
    finally:
        subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=ENV)
    a, b = statistics.median(autorun), statistics.median(bare)
    print(f"runs: {RUNS}")
    print("bare window, sorted (ms):", " ".join(f"{x:.0f}" for x in sorted(bare)))
    print("Autorun, sorted (ms):    ", " ".join(f"{x:.0f}" for x in sorted(autorun)))
    print(f"bare window shown after:   {b:.0f} ms (median)")
    print(f"Autorun menu shown after:  {a:.0f} ms (median)")
    print(f"menu adds:                 {a - b:.0f} ms; ratio {a / b:.2f}")
    print(f"peak working set (as Wine reports it): Autorun {max(m for m, _ in memory) / 1024:.1f} MB, "
          f"bare window {max(n for _, n in memory) / 1024:.1f} MB")


if __name__ == "__main__":
    main()
