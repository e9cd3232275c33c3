#!/usr/bin/env bash
# Installs the Debian package scripts/package-deb.sh made (run as root) and runs the
# installed programs: konwerter-cli --version and konwerter --version, then a conversion of
# the sample site with /usr/bin/konwerter-cli, which must end with exit status 0. The
# package is removed again afterwards, leaving the machine as it was.
set -euo pipefail
cd "$(dirname "$0")/.."

package=$(ls build/programs/konwerter_*.deb)
export DEBIAN_FRONTEND=noninteractive
if ! dpkg -i "$package" >/dev/null; then
  apt-get install -f -y -q >/dev/null  # the dependencies dpkg found missing
fi
work=$(mktemp -d)
trap 'rm -rf "$work"; dpkg -r konwerter >/dev/null' EXIT

version=$(dpkg-deb --field "$package" Version)
cli_version=$(/usr/bin/konwerter-cli --version)
[[ $cli_version == "konwerter-cli $version ("*")" ]] ||
  { echo "deb-check: konwerter-cli --version says: $cli_version" >&2; exit 1; }
window_version=$(/usr/bin/konwerter --version)
[[ $window_version == "konwerter $version ("*")" ]] ||
  { echo "deb-check: konwerter --version says: $window_version" >&2; exit 1; }
for file in /usr/share/man/pl/man1/konwerter-cli.1.gz /usr/share/applications/konwerter.desktop; do
  [[ -f $file ]] || { echo "deb-check: $file is not installed" >&2; exit 1; }
done

/usr/bin/konwerter-cli generate-sample --output "$work/dos" --scale 1 --seed 3 >/dev/null
status=0
/usr/bin/konwerter-cli convert --input "$work/dos/SYSTEM" --output "$work/windows" --yes \
  --quiet --summary "$work/summary.json" >"$work/log" 2>&1 || status=$?
if [[ $status != 0 ]]; then
  cat "$work/log" >&2
  echo "deb-check: the installed konwerter-cli ended the conversion with status $status" >&2
  exit 1
fi
echo "deb-check: $cli_version installed from $package converted the sample site" \
  "($(find "$work/windows" -type f | wc -l) files)"
