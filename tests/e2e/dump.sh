#!/usr/bin/env bash
# Autorun.exe -dump under Wine, with the stand-in port-I/O library and a PCI image of a real machine
# beside it: which ids the dump holds per Windows version, the driver file copy, the service
# clean-up, the completion and error messages and the exit code.
#   dump.sh WINDOWS_BUILD_DIR
set -euo pipefail
build=$1
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/tests/wine/wine-env.sh"
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A CD folder: the program, the library, its driver and the machine's configuration image.
cd_dir=$scratch/cd
mkdir -p "$cd_dir"
cp "$build/Autorun.exe" "$build/tests/VORN-IO.dll" "$cd_dir/"
cp "$src/tests/fixtures/pci/machine.pci" "$cd_dir/VORN-IO.pci"
echo "stand-in driver $$" > "$cd_dir/VORN-IO.SYS"

use_prefix() {  # creates the prefix once, then sets up this shell to run in it
  "$src/tests/wine/wine-run.sh" --winver "$1" "$build/tests/press_ok.exe" nothing 0 >/dev/null || true
  export WINEPREFIX="${WINE_ROOT:-$build/wine}/$1"
}

service=HKLM\\SYSTEM\\ControlSet001\\Services\\VORN-IO
# What an earlier run of the real library leaves behind.
plant_service() {
  DISPLAY= "$WINE" reg add "$service" /v DisplayName /d VORN-IO /f >/dev/null
  for v in ErrorControl Start TYPE; do DISPLAY= "$WINE" reg add "$service" /v $v /t REG_DWORD /d 1 /f >/dev/null; done
  DISPLAY= "$WINE" reg add "$service" /v ImagePath /d 'System32\drivers\VORN-IO.SYS' /f >/dev/null
  DISPLAY= "$WINE" reg add "$service\\Enum" /v Count /t REG_DWORD /d 0 /f >/dev/null
  DISPLAY= "$WINE" reg add "$service\\Security" /v Security /t REG_BINARY /d 01 /f >/dev/null
}

winpath() { echo "Z:${1//\//\\}"; }

# run_dump ARG WORDS: runs Autorun.exe with ARG under a display while press_ok answers the message
# box holding WORDS; leaves the box's text in $scratch/box (empty when none came) and the exit code
# in $scratch/rc. The command line goes through a batch file, so that it reaches the program
# exactly as written (quotes included).
run_dump() {
  printf '@"%s" %s\r\n' "$(winpath "$cd_dir/Autorun.exe")" "$1" > "$cd_dir/run.bat"
  /usr/lib/wine/wineserver -w  # a session without a display must end before this one starts
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    "$0" "$1" "$2" 60 | tr -d "\r" > "$3/box" & helper=$!
    timeout 120 "$0" cmd /c "$4"; echo $? > "$3/rc"
    wait $helper || true' "$WINE" "$build/tests/press_ok.exe" "$2" "$scratch" "$(winpath "$cd_dir/run.bat")"
  /usr/lib/wine/wineserver -w
}

hwids() { { grep -a "^HWID" "$1" || true; } | cut -d= -f2- | tr -d "\r"; }

expected_scan='PCI\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0403
PCI\VEN_10DE&DEV_0221&SUBSYS_81A81043&CC_0300
PCI\VEN_1AF4&DEV_1041&SUBSYS_10411AF4&CC_0200
PCI\VEN_10EC&DEV_8139&SUBSYS_813910EC&CC_0200
PCI\VEN_8086&DEV_7113&SUBSYS_197615AD&CC_0680
PCI\VEN_8086&DEV_7112&SUBSYS_197615AD&CC_0C03
PCI\VEN_8086&DEV_7111&SUBSYS_197615AD&CC_0101
PCI\VEN_8086&DEV_7110&SUBSYS_197615AD&CC_0601
PCI\VEN_1AF4&DEV_1044&SUBSYS_10441AF4&CC_FFFF
PCI\VEN_1AF4&DEV_1053&SUBSYS_10531AF4&CC_FFFF
PCI\VEN_1AF4&DEV_1041&SUBSYS_10411AF4&CC_0200
PCI\VEN_1AF4&DEV_1042&SUBSYS_10421AF4&CC_0180
PCI\VEN_1AF4&DEV_1045&SUBSYS_10451AF4&CC_FFFF
PCI\VEN_8086&DEV_0D57&SUBSYS_00000000&CC_0600
SUBSYS_00000000'
n_scan=$(echo "$expected_scan" | wc -l)

# --- XP (5.1): scan first, then SetupAPI's devices without its PCI ids -------------------------
use_prefix winxp
driver=$WINEPREFIX/drive_c/windows/system32/drivers/VORN-IO.SYS
rm -f "$driver"
plant_service
out=$scratch/xp.ini
printf '[Notes]\r\nWho=bench\r\n[HWInfo]\r\nHWID0=old\r\nHWID999=old\r\n' > "$out"
run_dump "-dump:\"$(winpath "$out")\"" "Complete writeing"
[ "$(cat "$scratch/rc")" = 0 ] || fail "xp: exit code $(cat "$scratch/rc")"
grep -qx 'Complete writeing ini file' "$scratch/box" || fail "xp: box said: $(cat "$scratch/box")"
ids=$(hwids "$out")
[ "$(echo "$ids" | head -n "$n_scan")" = "$expected_scan" ] || fail "xp: scanned ids differ: $ids"
rest=$(echo "$ids" | tail -n +$((n_scan + 1)))
[ -n "$rest" ] || fail "xp: no SetupAPI devices"
! echo "$rest" | grep -q 'PCI\\' || fail "xp: a SetupAPI PCI id was dumped"
! echo "$rest" | grep -q '^SUBSYS_' || fail "xp: a second SUBSYS_ record"
! grep -q '=old' "$out" || fail "xp: ids of the earlier dump survived"
grep -q '^Who=bench' "$out" || fail "xp: another section was lost"
last=$(($(echo "$ids" | wc -l) - 1))
grep -q "^HWID$last=" "$out" || fail "xp: keys not numbered from 0 without gaps"
grep -q '^\[SWInfo\]' "$out" || fail "xp: no SWInfo"
cmp -s "$driver" "$cd_dir/VORN-IO.SYS" || fail "xp: driver file not placed"
! DISPLAY= "$WINE" reg query "$service" >/dev/null 2>&1 || fail "xp: service key left behind"
echo "xp: $(echo "$ids" | wc -l) ids, driver placed, service removed"

# A folder that does not exist: an error, not the completion message, and still exit code 0.
run_dump "-dump:C:\\no\\such\\folder\\hw.ini" "Cannot write"
[ "$(cat "$scratch/rc")" = 0 ] || fail "bad path: exit code $(cat "$scratch/rc")"
grep -qx 'Cannot write ini file C:\\no\\such\\folder\\hw.ini' "$scratch/box" ||
  fail "bad path: box said: $(cat "$scratch/box"), rc $(cat "$scratch/rc")"

# Without the library: no scan, no driver file.
rm -f "$driver" "$cd_dir/VORN-IO.dll"
out=$scratch/nolib.ini
run_dump "-dump:$(winpath "$out")" "Complete writeing"
! hwids "$out" | grep -q '&CC_\|^SUBSYS_' || fail "no library: scanned ids present"
[ ! -e "$driver" ] || fail "no library: driver file placed"
cp "$build/tests/VORN-IO.dll" "$cd_dir/"
echo "xp without library: $(hwids "$out" | wc -l) ids, no scan, no driver file"

# --- Windows 98 (4.10): scan first, then the dynamic registry's devices in their order ---------
use_prefix win98
out=$scratch/win98.ini
run_dump "-dump:$(winpath "$out")" "Complete writeing"
[ "$(cat "$scratch/rc")" = 0 ] || fail "win98: exit code"
ids=$(hwids "$out")
[ "$(echo "$ids" | head -n "$n_scan")" = "$expected_scan" ] || fail "win98: scanned ids differ: $ids"
! echo "$ids" | tail -n +$((n_scan + 1)) | grep -q 'PCI\\' || fail "win98: a registry PCI id was dumped"
echo "win98: $(echo "$ids" | wc -l) ids"

# --- Windows 7 (6.1): SetupAPI's devices, no scan, no driver file, and the dump says why ----------
use_prefix win7
driver=$WINEPREFIX/drive_c/windows/system32/drivers/VORN-IO.SYS
out=$scratch/win7.ini
run_dump "-dump:$(winpath "$out")" "Complete writeing"
[ "$(cat "$scratch/rc")" = 0 ] || fail "win7: exit code"
grep -qx 'Complete writeing ini file' "$scratch/box" || fail "win7: box said: $(cat "$scratch/box")"
ids=$(hwids "$out")
[ -n "$ids" ] || fail "win7: no SetupAPI devices"
! echo "$ids" | grep -q '&CC_\|^SUBSYS_' || fail "win7: scanned ids present"
[ ! -e "$driver" ] || fail "win7: driver file placed"
grep -q '^PciScan=skipped: ' "$out" || fail "win7: the dump does not say why no scan ran"
echo "win7: $(echo "$ids" | wc -l) ids from SetupAPI, no scan"
echo PASS
