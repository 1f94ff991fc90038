#!/usr/bin/env python3
"""The live update of Autorun.exe under Wine, against the FTP server of tests/wine/with-ftp.sh.

A CD with a live-update tab whose LiveUpdate.ini names the loopback server, and a dump of a board
that the served modelmap.ini maps to brd1. The start button fetches the lists; the list page is read
from outside (ids, captions, places, the tips on screenshots); two of its buttons fetch a file and a
folder from a mirror picked in the mirror dialog, and what they open is recorded by open_recorder.exe.
    liveupdate_e2e.py WINDOWS_BUILD_DIR [CASE...]      (under with-ftp.sh and an X display)
"""
import os
import pathlib
import re
import socket
import sys
import threading

from autorun_e2e import (BUILD, ENV, SCRATCH, Run, check, dump, ini, make_cd, parse_ppm, poll, probe, root_ini,
                         run_cases, win_path, wine)

SERVED = pathlib.Path(os.environ.get("FTP_ROOT", "Z:")[2:].replace("\\", "/"))
BACK, TIP = (40, 60, 120), (255, 255, 0)
VGA = "PCI\\VEN_8086&DEV_2562&SUBSYS_80891043&REV_01"  # brd1 in the map
LAN = "PCI\\VEN_10EC&DEV_8139&SUBSYS_80B31043&REV_10"  # NULL in the map
NV = "PCI\\VEN_10DE&DEV_0110&SUBSYS_00000000&REV_A1"  # brd2, but after VGA
USB = "PCI\\VEN_1106&DEV_3038&SUBSYS_12340000&REV_80"  # not in the map
USB_SECTION = ("\n[VEN_1106&DEV_3038]\nType=1\nCaption=VIA USB notes\nFile=<Path>\\drivers\\usb\\notes.artxt\n"
               "Ver=1.0\nDate=2005-01-01\nProvider=VIA\nTipMode=Normal\nBehavior=link\nChangeCurrDir=1\n")
LABELS = {"Current Install": "Installed:", "Latest Driver": "Offered:", "Issue Date": "Date:", "Provider": "By:"}


class GatedMirror:
    """A mirror in front of vsftpd that holds each new connection until the test opens the gate, so
    the program's connecting window stays up long enough to be seen."""

    def __init__(self, port):
        self.target = port
        self.gate = threading.Event()
        self.server = socket.create_server(("127.0.0.1", 0))
        self.port = self.server.getsockname()[1]
        threading.Thread(target=self.accept, daemon=True).start()

    def accept(self):
        while True:
            client, _ = self.server.accept()
            threading.Thread(target=self.relay, args=(client,), daemon=True).start()

    def relay(self, client):
        with client:
            if not self.gate.wait(60):
                return
            with socket.create_connection(("127.0.0.1", self.target)) as upstream:
                back = threading.Thread(target=self.pump, args=(upstream, client))
                back.start()
                self.pump(client, upstream)
                back.join()

    @staticmethod
    def pump(src, dst):
        try:
            while data := src.recv(65536):
                dst.sendall(data)
        except OSError:
            pass
        try:
            dst.shutdown(socket.SHUT_WR)
        except OSError:
            pass


def serve(mirror_port):
    """The served tree made ready: the mirrors' ports in the map, a third driver for brd1 and
    binary files. Gives {served path: bytes} of the files the fetches bring."""
    live = SERVED / "live"
    text = (live / "modelmap.ini").read_text()
    # The mirror listed first leads nowhere: only the one chosen can deliver.
    ports = {"West Mirror": mirror_port, "East Mirror": os.environ["FTP_DEAD_PORT"]}
    for name, port in ports.items():
        text = re.sub(rf"(\[{name}\][^\[]*?PORT=)0", rf"\g<1>{port}", text)
    check(text.count("PORT=0") == 0, "both mirrors get a port")
    (live / "modelmap.ini").write_text(text)
    drivers = live / "brd1/drivers"
    with open(drivers / "drivers.ini", "a") as f:
        f.write(USB_SECTION)
    files = {"usb/notes.artxt": os.urandom(150000) + b"\n\r\nend", "lan/sub/firmware.bin": os.urandom(70000)}
    for name, data in files.items():
        (drivers / name).parent.mkdir(exist_ok=True)
        (drivers / name).write_bytes(data)
        os.chmod(drivers / name, 0o644)
    os.chmod(drivers / "usb", 0o755)


def register_recorder(log):
    """open_recorder.exe opens the .artxt files and the folders; Autorun.exe runs as Windows XP."""
    recorder = f'"{win_path(BUILD / "tests" / "open_recorder.exe")}" "%1"'
    for key, value in (("HKCR\\.artxt", "AutorunTest.Live"),
                       ("HKCR\\AutorunTest.Live\\shell\\open\\command", recorder),
                       ("HKCR\\Folder\\shell\\open\\command", recorder)):
        check(wine("reg", "add", key, "/ve", "/d", value, "/f").returncode == 0, f"registry {key}")
    wine("reg", "add", "HKCU\\Software\\Wine\\AppDefaults\\Autorun.exe", "/v", "Version", "/d", "winxp", "/f")
    ENV["AUTORUN_OPEN_LOG"] = win_path(log)


def temp_folder():
    """The Windows temporary folder of the prefix, as a Linux path."""
    temp = wine("cmd", "/c", "echo %TEMP%").stdout.strip()
    return pathlib.Path(wine("winepath", "-u", temp).stdout.strip()), temp


def live_cd():
    page = ini({"IniInfo": {"IniType": "Liveupdate"}})
    live_update = ini({"FTP SITE": {"IP": "127.0.0.1", "ID": "anonymous", "PASSWORD": "e2e@example.com",
                                    "PORT": os.environ["FTP_PORT"], "ROOT DIR": "live/"},
                       "INTERFACE": {"LiveUpdate StartPage Message": "Newer drivers from the server",
                                     "Update Start Button Caption": "Check now"}})
    tabs = [{"Caption": "Documents"}, {"Caption": "Live Update", "File": "<Path>\\Live.ini"}]
    root = root_ini(tabs, {"Tip Color R": TIP[0], "Tip Color G": TIP[1], "Tip Color B": TIP[2]},
                    {"INTERFACE": LABELS})
    # Replayed in reverse: the board's list is USB, LAN, VGA, NV.
    return make_cd({"Root.ini": root, "Live.ini": page, "LiveUpdate.ini": live_update,
                    "board.dmp": dump([NV, VGA, LAN, USB], model="P4B")})


def tip_picture(area, lines):
    """What the description area looks like with these tip lines ("+15" is a gap)."""
    out = SCRATCH / "tip.ppm"
    w, h = area[2] - area[0], area[3] - area[1]
    colours = ["%02x%02x%02x" % rgb for rgb in (BACK, TIP)]
    check(probe("text", win_path(out), str(w), str(h), *colours, "10", "Times New Roman", *lines).returncode == 0,
          "tip drawn by the probe")
    return parse_ppm(out.read_bytes())


def shows_tip(run, button, area, lines):
    """Hovers `button` and waits until the description area shows exactly `lines`, then leaves it."""
    def shown():
        return [row[area[0]:area[2]] for row in run.shot()[area[1]:area[3]]]

    want, blank = tip_picture(area, lines), tip_picture(area, [])
    probe("hover", str(button))
    poll(lambda: shown() == want, f"tip of {button}: {lines}", 10)
    probe("hover", "2050")  # away from the button: the area is erased again
    poll(lambda: shown() == blank, f"tip of {button} erased", 10)


def fetch(run, mirror, button, choose):
    """Clicks a list button, picks "West Mirror" in the mirror dialog with `choose`, sees the
    connecting window while the mirror holds the connection, then lets it through and sees the
    window go."""
    mirror.gate.clear()
    probe("click", str(button))
    dialog = run.windows(15, dialog=1002)
    items = dialog[1002].items
    check(items == ["East Mirror", "West Mirror"], f"mirrors sorted by name: {items}")
    choose(items.index("West Mirror"))
    wait = run.windows(15, dialog=1010)
    check(wait[1004].caption == "Connecting, please wait...", f"wait window {wait[1004]}")
    mirror.gate.set()
    poll(lambda: probe("@1010", "list", "0").returncode == 1, "connecting window gone", 30)


def opened(log, count):
    """The current folder and the arguments of the count-th opening."""
    return poll(lambda: log.exists() and len(log.read_text().splitlines()) >= count and log.read_text(),
                "something opened", 30).splitlines()[count - 1].split("|", 1)


def tree(folder):
    return {p.relative_to(folder).as_posix(): p.read_bytes() for p in folder.rglob("*") if p.is_file()}


def case_live_update():
    mirror = GatedMirror(int(os.environ["FTP_PORT"]))
    serve(mirror.port)
    log = SCRATCH / "open.log"
    register_recorder(log)
    temp, temp_win = temp_folder()
    live = temp / "Live"
    # What an earlier live update left behind.
    (live / "old/deeper").mkdir(parents=True, exist_ok=True)
    (live / "old/deeper/stale.bin").write_bytes(b"stale")
    (live / "drivers.ini").write_bytes(b"[stale]\r\n")

    run = Run(live_cd(), "-sim:R:\\board.dmp")
    run.windows()
    probe("click", "10002")
    w = run.windows()
    check(w[20005].visible and w[20005].caption == "Newer drivers from the server", f"start message {w[20005]}")
    check(w[20004].visible and w[20004].caption == "Check now" and w[20004].rect == (500, 350, 620, 400),
          f"start button {w[20004]}")

    def list_page():
        w = run.windows()
        return w if all(i in w and w[i].visible for i in (20, 21, 22)) else None

    probe("click", "20004")
    w = poll(list_page, "the list page", 60)
    check(not w[20004].visible and not w[20005].visible, "start page hidden")
    page = sorted((b for b in w.values() if 20 <= b.id < 30), key=lambda b: b.rect[1])
    # Places follow brd1's drivers.ini, ids the board's device order; NV is brd2's and gets none.
    check([(b.id, b.caption, b.rect) for b in page] ==
          [(22, "Intel 845G graphics", (50, 130, 300, 160)), (21, "Realtek LAN", (50, 165, 300, 195)),
           (20, "VIA USB notes", (50, 200, 300, 230))], f"list page {page}")
    check(not (live / "old").exists(), "the live folder was emptied first")
    check(sorted(p.name for p in live.iterdir()) == ["drivers.ini", "modelmap.ini"], f"{list(live.iterdir())}")
    check((live / "modelmap.ini").read_bytes() == (SERVED / "live/modelmap.ini").read_bytes(), "modelmap.ini")
    check((live / "drivers.ini").read_bytes() == (SERVED / "live/brd1/drivers/drivers.ini").read_bytes(),
          "brd1's drivers.ini")

    probe("click", "10001")
    check(not any(run.windows()[i].visible for i in (20, 21, 22, 20004)), "list hidden with its tab")
    probe("click", "10002")
    w = run.windows()
    check(all(w[i].visible for i in (20, 21, 22)) and not w[20004].visible, "list back, start button not")

    # Sim mode knows no installed drivers: their lines have labels only.
    area = w[2050].rect
    shows_tip(run, 22, area, ["Intel 845G graphics", "Installed: ", "Date: ", "By: ", "+15",
                              "Offered: 6.14.10.3865", "Date: 2004-06-15", "By: Intel"])
    shows_tip(run, 20, area, ["VIA USB notes", "Offered: 1.0", "Date: 2005-01-01", "By: VIA"])
    shows_tip(run, 21, area, [])  # no TipMode: no text

    # A file: double-click on the mirror; it opens where it arrived, there as current folder.
    fetch(run, mirror, 20, lambda i: probe("@1002", "dblclick", "1002", str(i)))
    usb = f"{temp_win}\\Live\\VEN_1106&DEV_3038&SUBSYS_12340000"
    cwd, args = opened(log, 1)
    check(args == f'"{usb}\\notes.artxt"' and cwd.rstrip("\\") == usb, f"file opened: {cwd}|{args}")
    got = tree(live / "VEN_1106&DEV_3038&SUBSYS_12340000")
    check(got == {"notes.artxt": (SERVED / "live/brd1/drivers/usb/notes.artxt").read_bytes()},
          f"file fetched byte for byte: {sorted(got)}")

    # A folder: select the mirror, then OK; the folder window opens on the download.
    fetch(run, mirror, 21, lambda i: (probe("@1002", "click", "1002", str(i)), probe("@1002", "click", "1")))
    lan = f"{temp_win}\\Live\\VEN_10EC&DEV_8139&SUBSYS_80B31043\\"
    _, args = opened(log, 2)
    check(args == f'"{lan}"', f"folder opened: {args}")
    served = tree(SERVED / "live/brd1/drivers/lan")
    served["readme.txt"] = served["readme.txt"].replace(b"\n", b"\r\n")  # text comes in ASCII mode
    got = tree(live / "VEN_10EC&DEV_8139&SUBSYS_80B31043")
    check(got == served, f"folder fetched: {sorted(got)} against {sorted(served)}")

    probe("click", "20001")
    check(run.wait() == 0, "Close ends with 0")


if __name__ == "__main__":
    sys.exit(run_cases([case_live_update], sys.argv[2:]))
