#!/usr/bin/env bash
# The one-click install of Autorun.exe under Wine, from a CD folder with a blank in its name, with
# stand-in installers: the kinds of output and ends a step may have and a log-off during a step;
# a step that cannot start; a "Reboot" step, the real restart and the resumed run. Needs a display.
#   install.sh WINDOWS_BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
# A restart ends every program of its prefix: this test has a prefix of its own.
export WINE_ROOT="$build/wine-install"
. "$here/prefix.sh"
export WINEPREFIX="$prefix"
wine=$WINE
tools="$build/tests"
cd_dir="$prefix/drive_c/Driver CD"
marks="$prefix/drive_c/e2e"
runonce='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'

fail() { echo "FAIL: $*"; $wine "$tools/probe_windows.exe" list 1 || true; /usr/lib/wine/wineserver -k || true; exit 1; }
entry() { $wine reg query "$runonce" /v Autorun 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
wait_for() { for _ in $(seq 1 "${2:-60}"); do [ -e "$1" ] && return 0; sleep 1; done; return 1; }

rm -rf "$cd_dir" "$marks"; mkdir -p "$cd_dir/Pages" "$cd_dir/Tools" "$marks"
$wine reg delete 'HKCU\Software\Wine\AppDefaults\Autorun.exe' /f >/dev/null 2>&1 || true # as the prefix: XP
cp "$build/Autorun.exe" "$here/../../examples/Background.bmp" "$cd_dir/"
cp "$tools/process_child.exe" "$cd_dir/Tools/setup.exe"
printf '[SWInfo]\r\nModel=E2E\r\nOS=WinXP\r\nLang=ENU\r\n' >"$prefix/drive_c/e2e.dmp"
cat >"$cd_dir/Root.ini" <<'INI'
[Root]
DefaultCaption=Install test
Background=<Path>\Background.bmp
TabButton1=Tab_Install
[Tab_Install]
Caption=Install
File=<Path>\Pages\Install.ini
INI

# Starts Autorun.exe on a page whose section holds the given steps and clicks its install button.
start_install() {
  { printf '[IniInfo]\r\nIniType=SingleInstall\r\n[E2E.WinXP]\r\nCaption=Install all\r\n'
    printf '%s\r\n' "$@"; } >"$cd_dir/Pages/Install.ini"
  $wine 'C:\Driver CD\Autorun.exe' '-sim:C:\e2e.dmp' &
  $wine "$tools/probe_windows.exe" click 10 >/dev/null || fail "no install button"
}
expected_entry() { echo "\"C:\\Driver CD\\Autorun.exe\" -silent:$1 /Pages\\Install.ini /E2E.WinXP"; }
setup='"<Path>\Tools\setup.exe"'

echo "== output with CRLF and without a last line end, a non-zero exit, a grandchild, a log-off"
start_install "Step1=$setup lines, Lines" "Step2=$setup exit, Failing exit" \
  "Step3=$setup parent C:\\e2e\\grandchild.txt, Grandchild" "Step4=$setup hold C:\\e2e\\step4.txt, Long" \
  "Step5=$setup mark C:\\e2e\\step5.txt" "RestartWhenFinish=NO"
wait_for "$marks/step4.txt" || fail "step 4 never ran"
[ -e "$marks/grandchild.txt" ] || fail "step 4 started before the grandchild of step 3 let go of the output"
[ "$($wine "$tools/end_session.exe" | tr -d '\r')" = 1 ] || fail "the log-off was refused"
[ "$(entry)" = "$(expected_entry 5)" ] || fail "entry after a log-off during step 4: $(entry)"
/usr/lib/wine/wineserver -k || true
[ ! -e "$marks/step5.txt" ] || fail "step 5 ran after the log-off"
# The next session runs the entry: the resumed run does step 5 and ends (RestartWhenFinish=NO).
$wine cmd /c exit 0 >/dev/null 2>&1 || true
timeout 120 /usr/lib/wine/wineserver -w || fail "the resumed run did not end"
[ -e "$marks/step5.txt" ] || fail "the next session did not resume at step 5"

echo "== a step that cannot start"
start_install "Step1=<Path>\\Tools\\missing.exe -s, Missing" "Step2=$setup mark C:\\e2e\\after.txt"
for box in 1 2; do $wine "$tools/press_ok.exe" "not found" 30 >/dev/null || fail "error message $box missing"; done
$wine "$tools/press_ok.exe" "Program will now EXIT" 10 >/dev/null || fail "no 'Program will now EXIT'"
[ "$($wine "$tools/end_session.exe" | tr -d '\r')" = 1 ] || fail "the log-off was refused"
[ -z "$(entry)" ] || fail "a failed sequence recorded $(entry)"
/usr/lib/wine/wineserver -k || true
[ ! -e "$marks/after.txt" ] || fail "the sequence went on after a step that could not start"

echo "== resume lines that cannot resume"
# Not one this program writes: it ends without a word.
timeout 60 $wine 'C:\Driver CD\Autorun.exe' -silent || fail "a bare -silent did not end"
timeout 60 $wine 'C:\Driver CD\Autorun.exe' '-silent:3 /Pages' || fail "a line with one / did not end"
# A page file that is not there: the user is told, and the program ends without restarting.
$wine 'C:\Driver CD\Autorun.exe' -silent:3 /Pages\Gone.ini /E2E.WinXP &
$wine "$tools/press_ok.exe" "Cannot continue the installation" 30 >/dev/null || fail "no word of the missing page file"
timeout 60 /usr/lib/wine/wineserver -w || fail "the program did not end"

echo "== a reboot step that no resume line can record: the user is asked, and No restarts nothing"
printf '[SWInfo]\r\nModel=A/B\r\nOS=WinXP\r\nLang=ENU\r\n' >"$prefix/drive_c/slash.dmp"
printf '[IniInfo]\r\nIniType=SingleInstall\r\n[A/B.WinXP]\r\nCaption=Install all\r\nStep1=REBOOT\r\nStep2=%s\r\n' \
  "$setup mark C:\\e2e\\never.txt" >"$cd_dir/Pages/Install.ini"
$wine 'C:\Driver CD\Autorun.exe' '-sim:C:\slash.dmp' &
$wine "$tools/probe_windows.exe" click 10 >/dev/null || fail "no install button"
$wine "$tools/press_ok.exe" "cannot continue by itself" 30 "" 7 >/dev/null || fail "not asked before the restart"
[ -z "$(entry)" ] || fail "an entry that cannot resume: $(entry)"
$wine "$tools/probe_windows.exe" close >/dev/null || fail "the program did not stay after No"
timeout 60 /usr/lib/wine/wineserver -w || fail "the program did not end"
[ ! -e "$marks/never.txt" ] || fail "the sequence went on after No"

# A reboot step, the real restart and the resumed run, as Windows XP and as Windows 10 (where the entry
# must also start a program that asks for elevation).
reboot_and_resume() {
  echo "== a reboot step, the restart, and the resumed run ($1)"
  $wine reg add 'HKCU\Software\Wine\AppDefaults\Autorun.exe' /v Version /d "$1" /f >/dev/null 2>&1
  rm -f "$marks/one.txt" "$marks/three.txt"
  start_install "Step1=$setup mark C:\\e2e\\one.txt, One" "Step2=REBOOT" \
    "Step3=$setup mark C:\\e2e\\three.txt, Three" "RestartWhenFinish=NO"
  for _ in $(seq 1 60); do [ -n "$(entry)" ] && break; sleep 1; done
  [ "$(entry)" = "$(expected_entry 3)" ] || fail "$1: entry at the reboot step: $(entry)"
  [ -e "$marks/one.txt" ] || fail "$1: step 1 did not run"
  $wine "$tools/press_ok.exe" "The system need to reboot now" 30 >/dev/null || fail "$1: no reboot message"
  # Wine restarts its session and runs the entry; the resumed run ends by itself (RestartWhenFinish=NO).
  timeout 120 /usr/lib/wine/wineserver -w || fail "$1: the resumed run did not end"
  [ -e "$marks/three.txt" ] || fail "$1: the resumed run did not run step 3"
  [ -z "$(entry)" ] || fail "$1: the entry is still there: $(entry)"
}
reboot_and_resume winxp
reboot_and_resume win10
echo "installed, restarted and resumed"
