#!/usr/bin/env python3
"""Start-up benchmark under Wine + Xvfb: time from starting the program to its window being shown,
for Autorun.exe on the sample CD in simulation mode (detection replayed, all pages built) and in
normal mode (real detection under Wine), and for a bare Win32 window started the same way; and the
peak working sets. With BEFORE_BUILD_DIR, that build's Autorun.exe is timed in the same session,
run for run beside this one.
    xvfb-run -a -s '-screen 0 1024x768x24' scripts/benchmark.py [BUILD_DIR] [RUNS] [BEFORE_BUILD_DIR]
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
BEFORE = pathlib.Path(sys.argv[3]).resolve() if len(sys.argv) > 3 else None
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
    load = os.getloadavg()[0]
    cd = BUILD / "bench-cd"
    shutil.rmtree(cd, ignore_errors=True)
    shutil.copytree(TOP / "examples", cd)
    shutil.copy(WIN / "Autorun.exe", cd)
    shutil.copy(WIN / "tests/bare_window.exe", cd)
    # Programs timed: (row, window class, command line).
    autorun = "VORN CD Autorun Program V1.2.2.6"
    rows = [("bare window", "BareWindow", "R:\\bare_window.exe")]
    for label, exe in [("before", BEFORE), ("", WIN)]:
        if not exe:
            continue
        name = f"Autorun{label.capitalize()}.exe"
        shutil.copy(exe / ARCH / "Autorun.exe" if label else exe / "Autorun.exe", cd / name)
        tag = f"Autorun {label}".strip()
        rows += [(f"{tag}, -sim", autorun, f"R:\\{name} -sim:R:\\Sample.dmp"), (f"{tag}, normal", autorun, f"R:\\{name}")]
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
    times = {row: [] for row, _, _ in rows}
    memory = {row: 0 for row, _, _ in rows}
    try:
        for i in range(RUNS + 1):
            for row, window_class, command in rows:
                ms, kb = launch(window_class, command)
                if i:  # the first of each warms the caches
                    times[row].append(ms)
                    memory[row] = max(memory[row], kb)
    finally:
        subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=ENV)
    bare = statistics.median(times["bare window"])
    print(f"runs: {RUNS}; load average (2 cores) {load:.1f} before the runs, {os.getloadavg()[0]:.1f} after")
    print("| | window shown after (median, range) | adds to the bare window | ratio | peak working set |")
    print("|---|---|---|---|---|")
    for row, _, _ in rows:
        t = times[row]
        m = statistics.median(t)
        print(f"| {row} | {m:.0f} ms ({min(t):.0f}-{max(t):.0f}) | {m - bare:.0f} ms | {m / bare:.2f} | "
              f"{memory[row] / 1024:.1f} MB |")
    for row, _, _ in rows:
        print(f"{row}, sorted (ms):", " ".join(f"{x:.0f}" for x in sorted(times[row])))


if __name__ == "__main__":
    main()
