#!/usr/bin/env bash
# check_deb.sh PACKAGE.deb: what the package installs, and the installed game quits as it should.
set -euo pipefail
deb=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

dpkg-deb --field "$deb" Depends | grep -q libsdl2 || { echo "Depends lacks SDL2" >&2; exit 1; }
dpkg -x "$deb" "$root"
id=org.spinwell.Spinwell
for file in usr/games/spinwell usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml usr/share/man/man6/spinwell.6 \
    usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/$id.png; do
    [ -e "$root/$file" ] || { echo "missing from the package: $file" >&2; exit 1; }
done

"$here/tests/with-xvfb" "$here/tests/e2e/journeys.sh" "$root/usr/games/spinwell" quit
echo "package checked: $deb"
