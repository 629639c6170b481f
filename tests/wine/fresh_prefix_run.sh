#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix made afresh for the run, so that it starts from a
# system on which nothing of ours was ever installed:
#
#   fresh_prefix_run.sh <prefix directory> <program> [arguments...]
#
# Takes the environment that ./dev sets up (WINEARCH, WINESERVER, DISPLAY, ...) and prepares the
# prefix as ./dev does its own. Wine's background services of the new prefix are started
# detached from our output and stopped with its wineserver at the end.
set -euo pipefail
prefix=$1
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wine_run=$here/../../tools/wine/wine-run
if [ -z "${WINEARCH:-}" ] || [ -z "${WINESERVER:-}" ]; then
    echo "fresh_prefix_run: no Wine environment; run the tests through ./dev test" >&2
    exit 2
fi
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix
stop() { "$WINESERVER" -k >/dev/null 2>&1 || true; }
trap stop EXIT
"$wine_run" wineboot -i </dev/null >/dev/null 2>&1
"$WINESERVER" -w
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
"$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
"$wine_run" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
"$wine_run" cmd /c exit </dev/null >/dev/null 2>&1
"$wine_run" "$@"
