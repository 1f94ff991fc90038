"""Runs Autorun.exe under Wine on fixture CDs and reads it from outside, for the whole-program tests.

A test script imports this with the Windows build folder as its first argument: each CD folder is
mapped to drive R: of a private prefix (as a CD drive would be), R:\\Autorun.exe is started and its
window is read through probe_windows.exe (ids, captions, rectangles, visibility, enabled state) and
on screenshots. The prefix lives in $WINE_ROOT, by default the build folder's "wine-" + the script's
name without "_e2e".
"""
import os
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import time

from probe_lines import children

BUILD = pathlib.Path(sys.argv[1]).resolve()
SRC = pathlib.Path(__file__).resolve().parents[2]
# WINEARCH: win32 for a 32-bit prefix and loader, else a 64-bit prefix (where 32-bit programs run under WoW64).
ARCH = os.environ.get("WINEARCH", "win64")
WINE = "/usr/lib/wine/wine" if ARCH == "win32" else "/usr/lib/wine/wine64"
_NAME = pathlib.Path(sys.argv[0]).stem.replace("_e2e", "")
ROOT = pathlib.Path(os.environ.get("WINE_ROOT", BUILD / f"wine-{_NAME}"))
WINVER = "winxp" if ARCH == "win32" else "winxp64"
PREFIX = ROOT / WINVER
ENV = dict(os.environ, WINEPREFIX=str(PREFIX), WINEDEBUG="-all", WINEARCH=ARCH,
           WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d")
SCRATCH = pathlib.Path(tempfile.mkdtemp(prefix=f"{_NAME}-e2e-"))


class Failure(Exception):
    pass


def check(cond, what):
    if not cond:
        raise Failure(what)


def poll(probe_once, what, seconds=30):
    """The first true answer of probe_once(), asked until `seconds` have passed."""
    end = time.time() + seconds
    while True:
        answer = probe_once()
        if answer or time.time() > end:
            check(answer, f"{what} (waited {seconds} s)")
            return answer
        time.sleep(0.2)


# ---- bitmaps ---------------------------------------------------------------------------------

def bmp(width, height, pixel, top_down=False, declared=None, compression=0, bpp=24):
    """A BMP with a 40-byte header; pixel(x, y) gives (r, g, b) with y = 0 the top row."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\0" * (stride - width * 3))
    data = b"".join(rows if top_down else reversed(rows))
    w, h = declared or (width, -height if top_down else height)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, compression, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(info) - 40 + len(data), 0, 0, 54) + info + data


def solid(rgb):
    return bmp(640, 480, lambda x, y: rgb)


def parse_ppm(data):
    """A binary PPM as rows of (r, g, b)."""
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    w, h = int(fields[1]), int(fields[2])
    px = data[pos:]
    return [[tuple(px[(y * w + x) * 3:(y * w + x) * 3 + 3]) for x in range(w)] for y in range(h)]


# ---- CDs and runs ----------------------------------------------------------------------------

def ini(sections):
    """INI text from {section: {key: value}} in order, with CRLF line ends."""
    out = []
    for name, keys in sections.items():
        out.append(f"[{name}]")
        out += [f"{k}={v}" for k, v in keys.items()]
        out.append("")
    return "\r\n".join(out).encode("latin-1")


def root_ini(tabs, root=None, extra=None):
    """Root.ini with `tabs` a list of tab sections (dicts); None skips that TabButton number."""
    sections = {"Root": {"DefaultCaption": "Test CD", "Background": "<Path>\\bg.bmp"}}
    sections["Root"].update(root or {})
    for i, tab in enumerate(tabs, 1):
        if tab is not None:
            sections["Root"][f"TabButton{i}"] = f"Tab{i}"
            sections[f"Tab{i}"] = tab
    sections.update(extra or {})
    return ini(sections)


def dump(ids, model="X845", os_name="WinXP", lang="ENU"):
    hw = {f"HWID{i}": v for i, v in enumerate(ids)}
    return ini({"HWInfo": hw, "SWInfo": {"Model": model, "OS": os_name, "Lang": lang}})


def make_cd(files):
    cd = SCRATCH / f"cd{len(list(SCRATCH.glob('cd*')))}"
    cd.mkdir()
    shutil.copy(BUILD / "Autorun.exe", cd)
    files.setdefault("bg.bmp", solid((40, 60, 120)))
    for name, content in files.items():
        (cd / name).parent.mkdir(parents=True, exist_ok=True)
        (cd / name).write_bytes(content if isinstance(content, bytes) else content.encode("latin-1"))
    link = PREFIX / "dosdevices" / "r:"
    if link.is_symlink() or link.exists():
        link.unlink()
    link.symlink_to(cd)
    return cd


def win_path(path):
    """A Linux path as Wine's drive Z: shows it."""
    return "Z:" + str(path).replace("/", "\\")


def wine(*args, timeout=60):
    """Runs a console program; its output goes through a file (a pipe can leave Wine hanging)."""
    out = SCRATCH / "out.txt"
    with open(out, "w") as f:
        rc = subprocess.run([WINE, *args], env=ENV, stdin=subprocess.DEVNULL, stdout=f,
                            stderr=subprocess.DEVNULL, timeout=timeout).returncode
    return subprocess.CompletedProcess(args, rc, out.read_text(errors="replace"), "")


def probe(*args):
    return wine(str(BUILD / "tests" / "probe_windows.exe"), *args)


class Run:
    """One Autorun.exe process on the CD at R:."""

    def __init__(self, cd, *args, trace=None):
        """With `trace` (a file), Wine writes the program's file opens into it."""
        self.cd = cd
        env, err = (dict(ENV, WINEDEBUG="trace+file"), open(trace, "w")) if trace else (ENV, subprocess.DEVNULL)
        self.proc = subprocess.Popen([WINE, "R:\\Autorun.exe", *args], env=env, cwd=cd,
                                     stdout=subprocess.DEVNULL, stderr=err)

    def windows(self, seconds=30, dialog=None):
        """The view's children by id; with `dialog`, those of the visible dialog holding that id."""
        out = probe(*([f"@{dialog}"] if dialog else []), "list", str(seconds))
        check(out.returncode == 0, f"no {'dialog with ' + str(dialog) if dialog else 'main window'}: "
              + out.stdout)
        lines = out.stdout.splitlines()
        head = lines[0].split()
        self.origin = (int(head[1]), int(head[2]))
        self.foreground = head[5] == "1"
        return children(lines[1:])

    def shot(self):
        """The view's 640 x 478 client area as rows of (r, g, b), where windows() last found it."""
        png = SCRATCH / "shot.png"
        subprocess.run(["import", "-window", "root", str(png)], check=True)
        x, y = self.origin
        ppm = subprocess.run(["convert", str(png), "-crop", f"638x478+{x}+{y}", "+repage", "ppm:-"],
                             check=True, capture_output=True).stdout
        return parse_ppm(ppm)

    def end(self):
        """Closes the window; gives the exit code."""
        if self.proc.poll() is None:
            probe("close")
        try:
            return self.proc.wait(timeout=20)
        finally:
            if self.proc.poll() is None:
                self.proc.kill()

    def wait(self, seconds=30):
        return self.proc.wait(timeout=seconds)


def tab_row(wins):
    return sorted((w for w in wins.values() if 10001 <= w.id <= 10010), key=lambda w: w.id)


def visible_page(wins):
    return [w for w in sorted(wins.values(), key=lambda w: w.rect[1])
            if w.visible and w.id < 10000 and w.id != 2050]


def run_cases(cases, wanted=()):
    """Runs the cases named in `wanted` (all when empty), each in a fresh Wine session; the exit code."""
    subprocess.run([str(SRC / "tests/wine/wine-run.sh"), "--winver", WINVER,
                    str(BUILD / "tests" / "probe_windows.exe"), "colors"], env=dict(os.environ, WINE_ROOT=str(ROOT)),
                   capture_output=True)
    # Xvfb has no window manager: a managed window that goes away would wait 2 s for one to answer.
    subprocess.run([WINE, "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f"],
                   env=ENV, capture_output=True)
    failed = []
    for case in cases:
        name = case.__name__[5:]
        if wanted and name not in wanted:
            continue
        start = time.time()
        try:
            case()
            print(f"ok   {name} ({time.time() - start:.1f} s)", flush=True)
        except Exception as e:  # a failed check or a hung program: report and go on
            failed.append(name)
            print(f"FAIL {name}: {e}", flush=True)
        subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=ENV)
        subprocess.run(["/usr/lib/wine/wineserver", "-w"], env=ENV)
    shutil.rmtree(SCRATCH, ignore_errors=True)
    print(f"{len(failed)} failed: {' '.join(failed)}" if failed else "all passed")
    return 1 if failed else 0
