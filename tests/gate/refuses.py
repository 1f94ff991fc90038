#!/usr/bin/python3
"""The import check refuses a program that imports GetTickCount64, naming the DLL, the function and
every target that lacks it, and a program without the manifest that elevates it on Vista and later.
    refuses.py gate_tick64.exe"""
import subprocess
import sys

gate = __file__.rsplit("/tests/", 1)[0] + "/tools/import_gate.py"
run = subprocess.run([sys.executable, gate, sys.argv[1]], capture_output=True, text=True)
print(run.stdout + run.stderr, end="")
expected = ["import gate: KERNEL32.dll!GetTickCount64: not exported by win2003-x64-proxy, win95, win98se, winxp-sp3",
            "import gate: manifest: 0 manifest resources, ids none; one, id 1, is wanted"]
lines = run.stdout.splitlines()
sys.exit(0 if run.returncode == 1 and all(e in lines for e in expected) else 1)
