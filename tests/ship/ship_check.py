#!/usr/bin/env python3
"""The ship check: the shipped Autorun.exe under 32-bit Wine, in one warm Wine session, its windows
read from outside by the 32-bit probe (ids, captions, visibility). Run by ship-check.sh, which puts
it under an X display and, where the kernel runs no 32-bit code, under qemu's emulator.
    ship_check.py WIN32_BUILD_DIR CACHE_DIR [CHECK...]
Every version is set before the session starts, not by `wine reg` (a Wine program of its own each
time, slow under emulation): the program is copied under one name per Windows setting, and the
prefix's user.reg gives each name its version. A Wine process that dies while the session starts is
tried once more; a failure of the program itself never is.
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))
from probe_lines import children  # noqa: E402

BUILD = pathlib.Path(sys.argv[1]).resolve()
CACHE = pathlib.Path(sys.argv[2])
WANTED = sys.argv[3:]
SRC = pathlib.Path(__file__).resolve().parents[2]
WAY = os.environ.get("SHIP_WAY", "native")
WORK = BUILD / "ship"
CD = WORK / "cd"
SERVER = os.environ.get("WINESERVER", "/usr/lib/wine/wineserver")
# The prefix the checks run in now: the 32-bit one, then the 64-bit one for WoW64 (see use()).
PREFIX = ENV = WINE = None
# What one program may take to its window or its end: 3 to 26 s under emulation.
LIMIT = 120
SETTINGS = ["win95", "win98", "winme", "win2k", "winxp", "win2003"]
# Under WoW64, in the 64-bit prefix: XP x64 and Server 2003 x64, then 7 to 11.
WOW64_SETTINGS = ["winxp64", "win7"]
TABS = ["Documents", "Drivers", "Utilities", "One-Click", "Live Update"]
CLOCK = time.time()


class Failure(Exception):
    pass


def check(cond, what):
    if not cond:
        raise Failure(what)


def say(text):
    print(f"[{time.time() - CLOCK:6.0f} s] {text}", flush=True)


def program(setting):
    return f"Autorun-{setting}.exe"


# ---- the prefix and the session ------------------------------------------------------------------

def use(arch):
    """Makes the prefix of `arch` (win32; win64, where the shipped program runs under WoW64) the one
    the checks run in."""
    global PREFIX, ENV, WINE
    PREFIX = WORK / ("prefix" if arch == "win32" else "prefix64")
    WINE = "/usr/lib/wine/wine" if arch == "win32" else "/usr/lib/wine/wine64"
    ENV = dict(os.environ, WINEPREFIX=str(PREFIX), WINEARCH=arch, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d")


def fresh_prefix(arch):
    """A copy of the cached prefix of `arch` for this run: programs and libraries shared, every other
    file (the registry above all) copied; then the versions and settings the checks need, and the
    CD as drive R:."""
    use(arch)
    cached = subprocess.run([str(SRC / "tests/ship/prefix.sh"), str(CACHE), arch], check=True,
                            stdout=subprocess.PIPE, text=True).stdout.strip()
    shutil.rmtree(PREFIX, ignore_errors=True)
    PREFIX.parent.mkdir(parents=True, exist_ok=True)
    if subprocess.run(["cp", "-al", cached, str(PREFIX)], stderr=subprocess.DEVNULL).returncode:
        shutil.rmtree(PREFIX, ignore_errors=True)
        subprocess.run(["cp", "-a", cached, str(PREFIX)], check=True)
    for folder, _, files in os.walk(PREFIX):
        for name in files:
            f = pathlib.Path(folder, name)
            if not f.is_symlink() and f.suffix.lower() not in (".dll", ".exe", ".drv", ".sys"):
                data = f.read_bytes()
                f.unlink()
                f.write_bytes(data)
    (PREFIX / ".ship-complete").unlink()
    # Wine reads later sections of the same key as additions to it.
    reg = ['[Software\\\\Wine] 0', '"Version"="winxp"',
           # Xvfb has no window manager: a managed window that goes away would wait 2 s for one.
           '[Software\\\\Wine\\\\X11 Driver] 0', '"Managed"="N"']
    for s in SETTINGS + WOW64_SETTINGS:
        reg += [f'[Software\\\\Wine\\\\AppDefaults\\\\{program(s)}] 0', f'"Version"="{s}"']
    with open(PREFIX / "user.reg", "a") as f:
        f.write("\n" + "\n\n".join(reg[i] + "\n" + reg[i + 1] for i in range(0, len(reg), 2)) + "\n")
    (PREFIX / "dosdevices" / "r:").unlink(missing_ok=True)
    (PREFIX / "dosdevices" / "r:").symlink_to(CD)


def sample_cd():
    """The sample CD as it is pressed, with the program once per setting and, for detection, the
    stand-in port-I/O library, its driver file and the configuration image of a real machine."""
    subprocess.run([str(SRC / "scripts/press-sample.sh"), str(BUILD), str(CD)], check=True)
    for s in SETTINGS + WOW64_SETTINGS:
        shutil.copy(CD / "Autorun.exe", CD / program(s))
    shutil.copy(BUILD / "tests/VORN-IO.dll", CD)
    shutil.copy(SRC / "tests/fixtures/pci/machine.pci", CD / "VORN-IO.pci")
    (CD / "VORN-IO.SYS").write_text("stand-in driver\n")


def session_processes():
    """The Wine programs running in this prefix, by name (under emulation, the emulator's command
    line names them)."""
    names = []
    mine = b"WINEPREFIX=" + str(PREFIX).encode()
    for proc in pathlib.Path("/proc").glob("[0-9]*"):
        try:
            if mine not in (proc / "environ").read_bytes().split(b"\0"):
                continue
            args = (proc / "cmdline").read_bytes().split(b"\0")
        except OSError:
            continue
        names += [a.decode(errors="replace").rsplit("\\", 1)[-1].lower() for a in args if a.lower().endswith(b".exe")]
    return names


def start_session():
    """A persistent server and one warm-up program, so that Wine's own services are up before the
    first check. A Wine process that dies on the way (under emulation some do) costs one more try."""
    for attempt in (1, 2):
        subprocess.run([SERVER, "-p"], env=ENV, check=True)
        log = WORK / f"session{attempt}.log"
        with open(log, "w") as f:
            try:
                rc = subprocess.run([WINE, str(BUILD / "tests/probe_windows.exe"), "colors"], env=ENV, stdout=f,
                                    stderr=subprocess.STDOUT, timeout=2 * LIMIT).returncode
            except subprocess.TimeoutExpired:
                rc = "none in time"
        died = re.findall(r".*(?:unexpected trap|uncaught target signal|Segmentation fault).*", log.read_text())
        up = session_processes()
        # A death costs one more try; on that one, a helper process that died while the rest came up
        # (seen under the emulator) leaves a session whose warm-up ran and whose services stand.
        if rc == 0 and "services.exe" in up and (not died or attempt == 2):
            say(f"Wine's programs in the session: {' '.join(sorted(set(up)))}"
                + (f"; died on the way: {len(died)}" if died else ""))
            return
        say(f"session start, try {attempt}: warm-up exit {rc}, services {sorted(set(up))}, died: {died[:3]}")
        subprocess.run([SERVER, "-k"], env=ENV)
        subprocess.run([SERVER, "-w"], env=ENV)
    raise Failure("Wine's session did not start twice running")


# ---- the program and the helpers -----------------------------------------------------------------

def helper(proc, name, *args, seconds=LIMIT):
    """Runs a helper program of the build to its end and gives (exit code, output). Fails at once
    when `proc`, the program it looks at, ends first."""
    out = WORK / "helper.txt"
    with open(out, "w") as f:
        h = subprocess.Popen([WINE, str(BUILD / "tests" / name), *args], env=ENV, stdout=f,
                             stderr=subprocess.DEVNULL)
    end = time.time() + seconds
    try:
        while h.poll() is None:
            if proc and proc.poll() is not None:
                raise Failure(f"Autorun.exe ended with {proc.returncode} while {name} {' '.join(args)} waited"
                              f"{last_words()}")
            check(time.time() < end, f"{name} {' '.join(args)} did not end in {seconds} s")
            time.sleep(0.5)
    finally:
        if h.poll() is None:
            h.kill()
    return h.returncode, out.read_text(errors="replace").replace("\r", "")


def last_words():
    """What Wine said last about the program, such as an unhandled exception."""
    lines = (WORK / "program.log").read_text(errors="replace").strip().splitlines()
    return f": {lines[-1]}" if lines else ""


class Run:
    """One Autorun.exe from the CD at R:."""

    def __init__(self, exe, *args):
        with open(WORK / "program.log", "w") as log:
            self.proc = subprocess.Popen([WINE, f"R:\\{exe}", *args], env=ENV, cwd=CD, stdout=subprocess.DEVNULL,
                                         stderr=log)

    def windows(self, dialog=None, seconds=LIMIT):
        rc, out = helper(self.proc, "probe_windows.exe", *([f"@{dialog}"] if dialog else []), "list", str(seconds),
                         seconds=seconds)
        check(rc == 0, f"no {'dialog' if dialog else 'window'} in {seconds} s")
        return children(out.splitlines()[1:])

    def menu(self):
        wins = self.windows()
        tabs = [w.caption for w in sorted(wins.values(), key=lambda w: w.id) if 10001 <= w.id <= 10010]
        check(tabs == TABS, f"tabs {tabs}")
        return wins

    def close(self):
        helper(self.proc, "probe_windows.exe", "close")
        try:
            rc = self.proc.wait(LIMIT)
        except subprocess.TimeoutExpired:
            raise Failure(f"still running {LIMIT} s after Close")
        check(rc == 0, f"Close ended it with {rc}{last_words()}")

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def page(wins):
    return [w.caption for w in sorted(wins.values(), key=lambda w: w.id) if w.visible and w.id < 10000]


# ---- the checks ----------------------------------------------------------------------------------

def sim(setting):
    def run():
        """The sample board's dump replayed: the menu, and exit code 0 at Close."""
        r = Run(program(setting), "-sim:R:\\Sample.dmp")
        try:
            r.menu()
            r.close()
        finally:
            r.kill()
    run.__name__ = f"sim_{setting}"
    return run


def detect(setting, name=None):
    def run():
        """Real detection: the menu. On 98, the 9x registry, cfgmgr32 and the port-I/O library;
        the Documents page then has its Windows 98 entry, and only there."""
        r = Run(program(setting))
        try:
            docs = page(r.menu())
            check(("Windows 98 Notes" in docs) == (setting == "win98"), f"{setting}: documents page {docs}")
            r.close()
        finally:
            r.kill()
    run.__name__ = name or f"detect_{setting}"
    return run


def dump_win2003():
    """-dump as Server 2003: the message, and the dump's lines read back."""
    out = CD / "hw.ini"
    out.unlink(missing_ok=True)
    r = Run(program("win2003"), "-dump:R:\\hw.ini")
    try:
        rc, box = helper(r.proc, "press_ok.exe", "Complete writeing", str(LIMIT))
        check(rc == 0, "no completion message")
        check(r.proc.wait(LIMIT) == 0, "exit code after the dump")
    finally:
        r.kill()
    text = out.read_text(errors="replace").replace("\r", "")
    check(re.search(r"^OS=Win2003$", text, re.M), f"the dump's OS line: {re.findall(r'^OS=.*', text, re.M)}")
    check(re.search(r"^Lang=ENU$", text, re.M), "the dump's language")
    check(re.search(r"^HWID0=", text, re.M), "the dump holds no device")


def install_to_reboot():
    """The One-Click page's install button as XP: its first step, the sample installer, runs as a
    child process whose output the runner reads; the second step asks to restart."""
    r = Run(program("winxp"), "-sim:R:\\Sample.dmp")
    try:
        wins = r.menu()
        tab = next(w.id for w in wins.values() if w.caption == "One-Click")
        helper(r.proc, "probe_windows.exe", "click", str(tab))
        button = next((w for w in r.windows().values() if w.visible and w.caption.startswith("Install All")), None)
        check(button, "no install button on the One-Click page")
        helper(r.proc, "probe_windows.exe", "click", str(button.id))
        box = r.windows(dialog=1)  # the message box's OK; the restart itself would end the session
        text = " ".join(w.caption for w in box.values())
        check("reboot" in text.lower(), f"the box at the Reboot step says: {text}")
        installed = PREFIX / "drive_c/windows/VORN/Intel 845 Chipset.ini"
        check(installed.exists(), "the first step's installer did not install")
    finally:
        r.kill()


def ini(sections):
    return "".join(f"[{name}]\r\n" + "".join(f"{k}={v}\r\n" for k, v in keys.items())
                   for name, keys in sections.items())


def ftp_file():
    """A live update against the loopback FTP server (WinINet loaded at its first call): the lists,
    then one file fetched from the mirror picked in the mirror dialog, byte for byte."""
    served = pathlib.Path(os.environ["FTP_ROOT"][2:].replace("\\", "/")) / "live"
    port = os.environ["FTP_PORT"]
    (served / "modelmap.ini").write_text((served / "modelmap.ini").read_text().replace("PORT=0", f"PORT={port}"))
    notes = os.urandom(3000)
    (served / "brd1/drivers/usb").mkdir()
    (served / "brd1/drivers/usb/notes.artxt").write_bytes(notes)
    with open(served / "brd1/drivers/drivers.ini", "a") as f:
        f.write("\n" + ini({"VEN_1106&DEV_3038": {"Type": "1", "Caption": "VIA USB notes", "Behavior": "Link",
                                                 "File": "<Path>\\drivers\\usb\\notes.artxt"}}))
    live = CD / "live"
    live.mkdir(exist_ok=True)
    shutil.copy(CD / program("winxp"), live)
    shutil.copy(CD / "Background.bmp", live)
    files = {"Root.ini": {"Root": {"DefaultCaption": "Ship check", "Background": "<Path>\\Background.bmp",
                                   "TabButton1": "Live"},
                          "Live": {"Caption": "Live Update", "File": "<Path>\\Live.ini"}},
             "Live.ini": {"IniInfo": {"IniType": "Liveupdate"}},
             "LiveUpdate.ini": {"FTP SITE": {"IP": "127.0.0.1", "ID": "anonymous", "PASSWORD": "ship@example.com",
                                             "PORT": port, "ROOT DIR": "live/"}},
             # brd1's graphics chip and a USB controller that brd1's list has the notes for
             "board.dmp": {"HWInfo": {"HWID0": "PCI\\VEN_8086&DEV_2562&SUBSYS_80891043&REV_01",
                                      "HWID1": "PCI\\VEN_1106&DEV_3038&SUBSYS_12340000&REV_80"},
                           "SWInfo": {"Model": "P4B", "OS": "WinXP", "Lang": "ENU"}}}
    for name, sections in files.items():
        (live / name).write_text(ini(sections))
    r = Run(f"live\\{program('winxp')}", "-sim:R:\\live\\board.dmp")
    try:
        r.windows()
        helper(r.proc, "probe_windows.exe", "click", "10001")
        helper(r.proc, "probe_windows.exe", "click", "20004")  # the start page's button: the lists
        end = time.time() + LIMIT
        # The whole wait within the limit: each probe gets what is left of it.
        while True:
            left = int(end - time.time())
            check(left > 0, f"no list page in {LIMIT} s")
            wins = r.windows(seconds=left).values()
            if button := next((w for w in wins if w.visible and w.caption == "VIA USB notes"), None):
                break
            time.sleep(5)
        helper(r.proc, "probe_windows.exe", "click", str(button.id))
        mirrors = r.windows(dialog=1002)[1002].items
        check(mirrors == ["East Mirror", "West Mirror"], f"mirror dialog {mirrors}")
        helper(r.proc, "probe_windows.exe", "@1002", "dblclick", "1002", "1")
        end = time.time() + LIMIT
        while not ((got := list(PREFIX.glob("drive_c/users/*/Temp/Live/VEN_1106&DEV_3038&SUBSYS_12340000/notes.artxt")))
                   and got[0].read_bytes() == notes):
            check(time.time() < end, f"the file never arrived whole: {got}")
            time.sleep(2)
    finally:
        r.kill()


# The ones that reach furthest into the program first, so that their failure shows early. The last
# ones run in the 64-bit prefix: the shipped program under WoW64, real detection.
CHECKS = [install_to_reboot, ftp_file, dump_win2003] + [detect(s) for s in ("win98", "winxp", "win2003")] + \
         [sim(s) for s in SETTINGS] + [detect(s, f"wow64_{s}") for s in WOW64_SETTINGS]


def arch_of(c):
    return "win64" if c.__name__.startswith("wow64") else "win32"


def main():
    failed = []
    names = [c.__name__ for c in CHECKS]
    for w in WANTED:
        check(w in names, f"no check {w}; there are: {' '.join(names)}")
    say(f"ship check of {BUILD / 'Autorun.exe'}, {WAY}")
    try:
        sample_cd()
    except subprocess.SubprocessError as e:
        say(f"FAIL pressing the sample CD: {e}")
        return 1
    for arch in ("win32", "win64"):
        checks = [c for c in CHECKS if arch_of(c) == arch and (not WANTED or c.__name__ in WANTED)]
        if not checks:
            continue
        try:
            fresh_prefix(arch)
            say(f"{arch} prefix ready ({WAY})")
            start_session()
            say(f"{arch} session started ({WAY})")
        except (Failure, subprocess.SubprocessError) as e:
            say(f"FAIL setting up the {arch} prefix: {e}")
            failed += [c.__name__ for c in checks]
            continue
        for c in checks:
            start = time.time()
            try:
                c()
                say(f"ok   {c.__name__} in {time.time() - start:.0f} s ({WAY})")
            except Exception as e:  # a failed check or a hung program: say so and go on
                failed.append(c.__name__)
                say(f"FAIL {c.__name__} after {time.time() - start:.0f} s ({WAY}): {e}")
        subprocess.run([SERVER, "-k"], env=ENV)
    done = len(WANTED) or len(CHECKS)
    print(f"ship check: {done - len(failed)} passed, {len(failed)} failed ({WAY})", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
