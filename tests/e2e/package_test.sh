#!/usr/bin/env bash
# The Debian package: made with CPack from this build, unpacked into a scratch root,
# its programs started from there, its desktop entry and metainfo validated.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
(cd "$build" && cpack -G DEB -B "$root/out" >/dev/null)
deb=$(ls "$root"/out/o2-haldrix_*.deb)
dpkg-deb -I "$deb" >/dev/null
# The site view needs the MQTT client library at run time.
dpkg-deb -f "$deb" Depends | grep -q libmosquitto1
dpkg -x "$deb" "$root/fs"
export QT_QPA_PLATFORM=offscreen
"$root/fs/usr/bin/o2-haldrix" --version | grep '^o2-haldrix [0-9]' >/dev/null
"$root/fs/usr/bin/o2-haldrix-cli" --help 2>&1 | grep 'o2-haldrix-cli hygiene' >/dev/null
"$root/fs/usr/bin/plantsim" --help | grep -- '--weak' >/dev/null
desktop-file-validate "$root"/fs/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/fs/usr/share/metainfo/*.metainfo.xml >/dev/null
for size in 16 32 48 64 128 256; do
  test -s "$root/fs/usr/share/icons/hicolor/${size}x${size}/apps/o2-haldrix.png"
done
test -s "$root/fs/usr/share/doc/o2-haldrix/mqtt.md"
for page in o2-haldrix o2-haldrix-cli plantsim; do
  zcat "$root/fs/usr/share/man/man1/$page.1.gz" | grep '^\.SH NAME' >/dev/null
done
echo "package ok: $(basename "$deb")"
