#!/usr/bin/env bash
# The Debian package: made with CPack from this build, checked by lintian (no error,
# no warning), unpacked into a scratch root, its programs started from there (the
# main program in a new account, whose settings must be kept), its desktop entry
# and metainfo validated.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
(cd "$build" && cpack -G DEB -B "$root/out" >/dev/null)
deb=$(ls "$root"/out/o2-haldrix_*.deb)
dpkg-deb -I "$deb" >/dev/null
# The site view needs the MQTT client library at run time.
dpkg-deb -f "$deb" Depends | grep -q libmosquitto1
# Debian's policy, as lintian reads it: copyright, changelog, description, hardening.
if command -v lintian >/dev/null; then
  findings=$(lintian --allow-root "$deb" 2>&1 | grep -E '^[EW]: ' || true)
  if [ -n "$findings" ]; then
    echo "lintian: $findings" >&2
    exit 1
  fi
else
  echo "lintian is missing (scripts/install-deps installs it)" >&2
  exit 1
fi
dpkg -x "$deb" "$root/fs"
export QT_QPA_PLATFORM=offscreen
version=$("$root/fs/usr/bin/o2-haldrix" --version)
echo "$version" | grep '^o2-haldrix [0-9]' >/dev/null
test "$("$root/fs/usr/bin/o2-haldrix-cli" --version)" = "${version/o2-haldrix/o2-haldrix-cli}"
test "$("$root/fs/usr/bin/plantsim" --version)" = "${version/o2-haldrix/plantsim}"

# A new account: no ~/.local/share yet. The first start makes the data folder and
# keeps its settings; the second start finds them.
home="$root/home"
mkdir "$home"
start_in_new_account() {
  env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen LANG=de_DE.UTF-8 \
    "$root/fs/usr/bin/o2-haldrix" --quit-after 2000 2>&1
}
out=$(start_in_new_account)
ini="$home/.local/share/o2-haldrix/Haldrix.ini"
if ! test -s "$ini" || echo "$out" | grep -q 'nicht gespeichert'; then
  echo "first start in a new account kept no settings: $out" >&2
  exit 1
fi
printf '[Firma]\r\nTitel=Kompostwerk S\xfcd GmbH & Co. KG\r\n' >> "$ini"
out=$(start_in_new_account)
if ! grep -q 'Titel=Kompostwerk S' "$ini" || ! grep -q '^\[Form\]' "$ini" || echo "$out" | grep -q 'nicht gespeichert'; then
  echo "the second start lost the settings: $out" >&2
  exit 1
fi
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
