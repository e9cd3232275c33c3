#!/usr/bin/env bash
# Checks the Windows programs under Wine against the Linux build, after both are
# built (scripts/test.sh builds them):
#   1. the sample site converted by the .exe with a fixed date gives, file for file, the
#      same database bytes as the Linux program's conversion, and the same record ledger
#      (its paths are each system's own);
#   2. while another Windows program holds the source lock, a conversion does not start and
#      says the DOS edition is still in use;
#   3. konwerter.exe shows its controls and converts the sample site (under xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."

linux_cli=${LINUX_CLI:-build/debug/src/app/cli/konwerter-cli}
windows_cli=build/windows/src/app/cli/konwerter-cli.exe
holder=build/windows/tests/hold_source_lock.exe
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$PWD/build/wineprefix} LC_ALL=C.UTF-8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
windows_path() { echo "Z:${1//\//\\}"; }  # Wine's drive Z: is the Linux root

"$linux_cli" generate-sample --output "$work/dos" --scale 1 --seed 7 >/dev/null
options=(--yes --quiet --keep-unlinked osoby --date 2024-05-17)
"$linux_cli" convert --input "$work/dos/SYSTEM" --output "$work/linux" "${options[@]}"
wine "$windows_cli" convert --input "$(windows_path "$work/dos/SYSTEM")" \
  --output "$(windows_path "$work/windows")" "${options[@]}"
if ! diff -r "$work/linux/BAZA" "$work/windows/BAZA"; then
  echo "windows-check: the Windows conversion differs from the Linux one" >&2
  exit 1
fi
# The ledger's rows without their two path fields (source file, target table), and the file
# a reason refers to (an index, a dictionary) by its name alone: each system names its paths
# in its own way, and Linux gives a name the case it has on disk.
ledger_rows() {
  cut -d';' -f2,3,5- "$1/RAPORT/rekordy.csv" | tr -d '\r' |
    sed -E 's#\(([^()]*[/\\])([^()/\\]*)\)#(\L\2)#g'
}
if ! diff <(ledger_rows "$work/linux") <(ledger_rows "$work/windows") >/dev/null; then
  echo "windows-check: the Windows record ledger differs from the Linux one" >&2
  exit 1
fi
echo "windows-check: $(find "$work/windows/BAZA" -type f | wc -l) files of the Windows conversion equal the Linux ones byte for byte; the record ledgers agree"

# A second program holds users.dbf the way a running conversion does.
coproc HOLDER { wine "$holder" "$(windows_path "$work/dos/SYSTEM/users.dbf")"; }
read -r held <&"${HOLDER[0]}"
[[ $held == held* ]] || { echo "windows-check: the lock holder did not start" >&2; exit 1; }
status=0
output=$(wine "$windows_cli" convert --input "$(windows_path "$work/dos/SYSTEM")" \
  --output "$(windows_path "$work/second")" "${options[@]}") || status=$?
eval "exec ${HOLDER[1]}>&-"
wait "$HOLDER_PID"
if [[ $status != 3 || $output != *"Przed konwersją należy zakończyć pracę"* ]]; then
  echo "windows-check: a conversion started while the source lock was held ($status): $output" >&2
  exit 1
fi
[[ ! -e $work/second ]] || { echo "windows-check: output written under a held lock" >&2; exit 1; }
echo "windows-check: the source lock held against a second program"

# The window on a display-less X server: its controls, and "Konwersja" over the sample site
# ending with the success message. Wine's session so far ran without a display: end it first.
wineserver -k || true
xvfb-run -a -s "-screen 0 800x600x24" wine build/windows/tests/app_win32_tests.exe
