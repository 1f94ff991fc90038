# Sourced by the e2e scripts after they set WINE_ROOT and `build` (the Windows build under test): `run`
# starts a Windows program under Wine as Windows XP, `prefix` is the folder of that Wine prefix,
# which exists once this has run, and WINE its loader.
run="$(dirname "${BASH_SOURCE[0]}")/../wine/wine-run.sh --winver winxp"
prefix="$WINE_ROOT/winxp"
. "$(dirname "${BASH_SOURCE[0]}")/../wine/wine-env.sh"
$run "$build/tests/press_ok.exe" nothing 0 >/dev/null || true
