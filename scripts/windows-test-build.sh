#!/usr/bin/env bash
# Prints the Windows build that the tests run under Wine: win32, the program we ship, wherever this
# machine runs 32-bit Wine; win64 where it cannot, because its kernel was booted without IA-32
# emulation and refuses every 32-bit program, Wine's 32-bit loader among them.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
