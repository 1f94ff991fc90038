#!/usr/bin/python3
"""A small FTP server that misbehaves on purpose; the user name picks how.

  listing  listings name "..", absolute paths, drives and 300-character names; every file holds 5 bytes
  deep     every folder holds a folder "sub", without end
  bigger   big.bin is listed with 100 bytes but sends 5000
  cut      a download sends 1500 bytes, then both connections are dropped
  silent   a download's data connection opens, then stays silent for 5 seconds and is closed with 426
  stall    a download sends 64 KB, then nothing more for as long as the client stays connected
  wide     every folder holds two folders, "a" and "b", without end
With --mute the greeting itself never comes, whoever connects.
Active mode only (PORT), as the program uses it.
"""
import os
import select
import socket
import socketserver
import sys
import time

LONG = "L" * 300 + ".txt"
LISTINGS = {
    "listing": [("d", ".."), ("d", "."), ("-", "../evil.txt"), ("-", "/etc/evil.txt"), ("-", "C:evil.txt"),
                ("-", "..\\evil2.txt"), ("d", "..\\up"), ("-", LONG), ("-", "good.txt")],
    "deep": [("d", "sub")],
    "bigger": [("-", "big.bin")],
    "cut": [("-", "cut.bin")],
    "silent": [("-", "stall.bin")],
    "stall": [("-", "halt.bin")],
    "wide": [("d", "a"), ("d", "b")],
}
SIZES = {"big.bin": 100, "cut.bin": 3000, "stall.bin": 3000, "halt.bin": 1 << 20}


def listing_line(kind, name):
    size = SIZES.get(name, 5)
    mode = "drwxr-xr-x" if kind == "d" else "-rw-r--r--"
    return "%s   1 ftp      ftp      %8d Jan 01 12:00 %s\r\n" % (mode, size, name)


class Handler(socketserver.StreamRequestHandler):
    def reply(self, text):
        self.wfile.write((text + "\r\n").encode("latin-1"))
        self.wfile.flush()

    def data(self):
        d = socket.create_connection(self.port, 5)
        d.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        return d

    def handle(self):
        # Replies go out at once, not held back for the client's acknowledgement.
        self.request.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        if self.server.mute:
            time.sleep(120)
            return
        self.reply("220 hostile test server")
        user, cwd, self.port = "", "/", None
        while True:
            line = self.rfile.readline()
            if not line:
                return
            cmd, _, arg = line.decode("latin-1").strip().partition(" ")
            cmd = cmd.upper()
            if self.server.log:
                print(user, cmd, arg, file=sys.stderr, flush=True)
            if cmd == "USER":
                user = arg
                self.reply("331 password please")
            elif cmd == "PASS":
                self.reply("230 logged in")
            elif cmd == "PWD":
                self.reply('257 "%s"' % cwd)
            elif cmd == "CWD":
                cwd = arg if arg.startswith("/") else cwd.rstrip("/") + "/" + arg
                self.reply("250 ok")
            elif cmd == "PORT":
                n = arg.split(",")
                self.port = (".".join(n[:4]), int(n[4]) * 256 + int(n[5]))
                self.reply("200 ok")
            elif cmd in ("LIST", "NLST"):
                self.reply("150 listing")
                with self.data() as d:
                    d.sendall("".join(listing_line(k, n) for k, n in LISTINGS.get(user, [])).encode("latin-1"))
                self.reply("226 done")
            elif cmd == "RETR":
                self.retr(user)
                if user == "cut":
                    return
            elif cmd == "QUIT":
                self.reply("221 bye")
                return
            else:
                self.reply("200 ok")

    def retr(self, user):
        self.reply("150 sending")
        d = self.data()
        if user == "bigger":
            d.sendall(b"B" * 5000)
        elif user == "cut":
            d.sendall(b"C" * 1500)
            d.shutdown(socket.SHUT_RDWR)
            d.close()
            self.request.shutdown(socket.SHUT_RDWR)
            return
        elif user == "silent":
            time.sleep(5)
            d.close()
            self.reply("426 timed out")
            return
        elif user == "stall":
            d.sendall(b"S" * 65536)
            # Until the client closes either connection (or five minutes have passed).
            end = time.time() + 300
            while time.time() < end:
                readable, _, _ = select.select([self.request, d], [], [], 1)
                if any(not r.recv(4096) for r in readable):
                    break
            d.close()
            return
        else:
            d.sendall(b"hello")
        d.close()
        self.reply("226 done")


class Server(socketserver.ThreadingTCPServer):
    allow_reuse_address = True
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # clients that hang up early are part of the game


if __name__ == "__main__":
    server = Server(("127.0.0.1", int(sys.argv[1])), Handler)
    server.mute = "--mute" in sys.argv
    server.log = "FTP_LOG" in os.environ
    server.serve_forever()
