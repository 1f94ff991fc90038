# Sourced by the scripts that run Windows programs: the Wine loader and settings for the build under
# test. WINEARCH says which kind of prefix: win32 (32-bit, run by the 32-bit loader, as 32-bit Windows)
# or win64 (64-bit, whose loader also starts 32-bit programs, under WoW64).
export WINEARCH=${WINEARCH:-win64}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
if [ "$WINEARCH" = win32 ]; then WINE=/usr/lib/wine/wine; else WINE=/usr/lib/wine/wine64; fi
