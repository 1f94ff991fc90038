#!/usr/bin/env bash
# The unattended install of Autorun.exe under Wine, seen as a deployment script sees it: exit codes,
# the log, the resume entry, the real restart and the resumed run; and what bad switches give.
# Needs a display, where it checks that nothing shows.
#   unattended.sh WINDOWS_BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1
# A restart ends every program of its prefix: this test has a prefix of its own.
export WINE_ROOT="$build/wine-unattended"
. "$here/prefix.sh"
export WINEPREFIX="$prefix"
wine=$WINE
tools="$build/tests"
sample="$prefix/drive_c/Sample CD"
cd_dir="$prefix/drive_c/Test CD"
marks="$prefix/drive_c/e2e"
logs="$prefix/drive_c/logs"
runonce='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'

fail() { echo "FAIL: $*"; for f in "$logs"/*.log; do [ -e "$f" ] && { echo "-- $f"; cat "$f"; }; done; /usr/lib/wine/wineserver -k || true; exit 1; }
entry() { $wine reg query "$runonce" /v Autorun 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
last_line() { tail -n 1 "$1" | tr -d '\r'; }
# Runs Autorun.exe with the given arguments and gives its exit code, whole (a Unix exit status keeps
# only its low byte), through a batch file; a hang fails.
printf '@"%%~1" %%2 %%3 %%4 %%5 %%6 %%7 %%8\r\n@echo %%errorlevel%%\r\n' >"$prefix/drive_c/exit_code.bat"
code_of() { local out c=0; out=$(timeout 120 $wine cmd /c 'C:\exit_code.bat' "$@" 2>/dev/null) || c=$?
            [ "$c" != 124 ] || fail "hung: $*"; echo "$out" | tr -d '\r' | tail -n 1; }
# The next session: Wine runs the RunOnce entry there; wait until every program of it has ended.
next_session() { /usr/lib/wine/wineserver -k || true; $wine cmd /c exit 0 >/dev/null 2>&1 || true
                 timeout 300 /usr/lib/wine/wineserver -w || fail "the resumed run did not end"; }
# Wine maps an X window for each visible window of its programs.
no_window() { [ -z "$(xdotool search --onlyvisible --name . 2>/dev/null)" ] || fail "a window appeared: $1"; }

rm -rf "$marks" "$logs"; mkdir -p "$marks" "$logs"
$wine reg delete "$runonce" /v Autorun /f >/dev/null 2>&1 || true

echo "== the sample CD unattended: the Reboot step restarts Windows, the resumed run ends with 0"
"$here/../../scripts/press-sample.sh" "$build" "$sample"
sed -i 's/^RestartWhenFinish=YES/RestartWhenFinish=NO/' "$sample/Pages/Install.ini"
cp "$sample/Sample.dmp" "$prefix/drive_c/sample.dmp"
$wine 'C:\Sample CD\Autorun.exe' -unattended '-sim:C:\sample.dmp' '-log:C:\logs\sample.log' >/dev/null 2>&1 &
for _ in $(seq 1 60); do [ -e "$logs/sample.log" ] && break; sleep 1; done
timeout 300 /usr/lib/wine/wineserver -w || fail "the restart and the resumed run did not end"
log="$logs/sample.log"
[ -e "$log" ] || fail "no log"
grep -q 'machine: Windows WinXP, board X845, language ENU' "$log" || fail "no machine line"
grep -q 'step 1/5: .*Chipset\\Setup.exe -s | exit code 0 | ' "$log" || fail "no line for step 1"
grep -q 'result: 1641 restart started' "$log" || fail "the first run did not end with 1641"
grep -q 'step 5/5: .*LAN\\WinXP\\Setup.exe -s | exit code 0' "$log" || fail "the resumed run did not reach step 5"
[ "$(last_line "$log" | sed 's/^.\{20\}//')" = "result: 0 done: all steps ran" ] || fail "last line: $(last_line "$log")"
[ "$(grep -c 'machine:' "$log")" = 2 ] || fail "the resumed run did not append to the same log"
[ -z "$(entry)" ] || fail "an entry is left: $(entry)"
$wine reg query 'HKLM\Software\VORN\Drivers' /v 'AC97 Audio' >/dev/null 2>&1 || fail "the audio driver was not installed"

# A CD of stand-in installers for the remaining cases.
mkdir -p "$cd_dir/Pages" "$cd_dir/Tools"
cp "$build/Autorun.exe" "$cd_dir/"
cp "$tools/process_child.exe" "$cd_dir/Tools/setup.exe"
printf '[SWInfo]\r\nModel=E2E\r\nOS=WinXP\r\nLang=ENU\r\n' >"$prefix/drive_c/e2e.dmp"
printf '[SWInfo]\r\nModel=OTHER\r\nOS=WinXP\r\nLang=ENU\r\n' >"$prefix/drive_c/other.dmp"
printf '[Root]\r\nTabButton1=Tab_Install\r\n[Tab_Install]\r\nCaption=Install\r\nFile=<Path>\\Pages\\Install.ini\r\n' >"$cd_dir/Root.ini"
steps() { { printf '[IniInfo]\r\nIniType=SingleInstall\r\n[E2E.WinXP]\r\nCaption=Install all\r\n'
            printf '%s\r\n' "$@"; } >"$cd_dir/Pages/Install.ini"; }
setup='"<Path>\Tools\setup.exe"'
autorun='C:\Test CD\Autorun.exe'

echo "== -norestart: 3010 and an entry that goes on unattended; the resumed run starts a log that vanished"
steps "Step1=$setup mark C:\\e2e\\n1.txt" "Step2=Reboot" "Step3=$setup mark C:\\e2e\\n3.txt" "RestartWhenFinish=NO"
[ "$(code_of "$autorun" -unattended -norestart '-sim:C:\e2e.dmp' '-log:C:\logs\norestart.log')" = 3010 ] ||
  fail "-norestart did not give 3010"
[ -e "$marks/n1.txt" ] && [ ! -e "$marks/n3.txt" ] || fail "steps around the reboot"
[ "$(entry)" = '"C:\Test CD\Autorun.exe" -silent:3 /Pages\Install.ini /E2E.WinXP -unattended -norestart -log:"C:\logs\norestart.log"' ] ||
  fail "entry: $(entry)"
rm "$logs/norestart.log"
next_session
[ -e "$marks/n3.txt" ] || fail "the resumed run did not run step 3"
log="$logs/norestart.log"
head -n 1 "$log" | grep -q 'machine:' || fail "the new log does not start with the machine"
grep -q 'step 3/3: ' "$log" && last_line "$log" | grep -q 'result: 0 done' || fail "resumed log"

echo "== a step whose installer is missing: 1603, the step named, nothing after it"
steps "Step1=$setup mark C:\\e2e\\m1.txt" "Step2=<Path>\\Tools\\missing.exe -s" "Step3=$setup mark C:\\e2e\\m3.txt"
[ "$(code_of "$autorun" -unattended '-sim:C:\e2e.dmp' '-log:C:\logs\missing.log')" = 1603 ] || fail "not 1603"
grep -q 'step 2/3: .*missing.exe -s | error 2: ' "$logs/missing.log" || fail "step 2 not named"
last_line "$logs/missing.log" | grep -q 'result: 1603 failed: step 2 ' || fail "result: $(last_line "$logs/missing.log")"
[ ! -e "$marks/m3.txt" ] || fail "step 3 ran after the failure"

echo "== a board the CD has no section for: 1603 and the reason"
[ "$(code_of "$autorun" -unattended '-sim:C:\other.dmp' '-log:C:\logs\other.log')" = 1603 ] || fail "not 1603"
last_line "$logs/other.log" | grep -q 'no install section for board OTHER on WinXP' || fail "$(last_line "$logs/other.log")"

echo "== a log-off during a step: 1602, and the entry goes on at the next step, unattended"
steps "Step1=$setup hold C:\\e2e\\h1.txt" "Step2=$setup mark C:\\e2e\\h2.txt"
rm -f "$marks/h1.txt"
code_of "$autorun" -unattended '-sim:C:\e2e.dmp' '-log:C:\logs\logoff.log' >"$marks/logoff.code" &
for _ in $(seq 1 60); do [ -e "$marks/h1.txt" ] && break; sleep 1; done
no_window "during an unattended step"
[ "$($wine "$tools/end_session.exe" | tr -d '\r')" = 1 ] || fail "the log-off was refused"
wait
[ "$(cat "$marks/logoff.code")" = 1602 ] || fail "log-off gave $(cat "$marks/logoff.code")"
last_line "$logs/logoff.log" | grep -q 'result: 1602 cancelled' || fail "$(last_line "$logs/logoff.log")"
entry | grep -q -- '-silent:2 /Pages\\Install.ini /E2E.WinXP -unattended -log:' || fail "entry: $(entry)"
$wine reg delete "$runonce" /v Autorun /f >/dev/null 2>&1
/usr/lib/wine/wineserver -k || true

echo "== bad input: a defined code and a log line, never a window"
temp_log="$prefix/drive_c/users/$(id -un)/Temp/Autorun.log"
rm -f "$temp_log"
[ "$(code_of "$autorun" -unattended '-sim:C:\e2e.dmp' -log:)" = 1639 ] || fail "-log: without a file"
last_line "$temp_log" | grep -q 'result: 1639 .*-log:' || fail "default log: $(last_line "$temp_log")"
for bad in 'C:\no\such\folder\a.log' 'C:\windows' "C:\\$(printf 'x%.0s' $(seq 1 300)).log"; do
  [ "$(code_of "$autorun" -unattended '-sim:C:\e2e.dmp' "-log:$bad")" = 1622 ] || fail "log $bad"
  last_line "$temp_log" | grep -q 'result: 1622 log not written: cannot write the log' || fail "$(last_line "$temp_log")"
done
for bad in 'C:\no\such\folder\r.json' 'C:\windows'; do
  [ "$(code_of "$autorun" '-sim:C:\e2e.dmp' "-report:$bad")" = 1603 ] || fail "report $bad"
  last_line "$temp_log" | grep -q 'result: 1603 failed: cannot write the report' || fail "$(last_line "$temp_log")"
done
steps "Step1=$setup mark C:\\e2e\\s1.txt"
[ "$(code_of "$autorun" -unattended -silent:9 '/Pages\Install.ini' /E2E.WinXP '-log:C:\logs\step9.log')" = 1603 ] ||
  fail "a resume at a step the page file does not have"
last_line "$logs/step9.log" | grep -q 'step 9 of section \[E2E.WinXP\] .* was not found' || fail "$(last_line "$logs/step9.log")"
no_window "after the bad input"
echo "unattended: installed, restarted, resumed, failed and cancelled as a script expects"
