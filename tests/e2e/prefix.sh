# Sourced by the e2e scripts after they set WINE_ROOT and `build` (the win64 build folder): `run`
# starts a Windows program under Wine as Windows XP, `prefix` is the folder of that Wine prefix,
# which exists once this has run.
run="$(dirname "${BASH_SOURCE[0]}")/../wine/wine-run.sh --winver winxp"
prefix="$WINE_ROOT/winxp"
$run "$build/tests/press_ok.exe" nothing 0 >/dev/null || true
