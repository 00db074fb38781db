#!/usr/bin/env bash
# Builds the Debian package from the build tree into a scratch folder and checks, with
# dpkg-deb, that it carries the programs, plugins, desktop files and data, and that it depends
# on the libraries the programs need.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/korvan_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/korvan ./usr/bin/korvan-cli ./usr/bin/zel-sim ./usr/lib/libzel.so \
         ./usr/lib/libSkin.so ./usr/share/applications/korvan.desktop \
         ./usr/share/mime/packages/korvan.xml ./usr/share/icons/hicolor/48x48/apps/korvan.png \
         ./usr/share/korvan/zel.db ./usr/share/man/man1/korvan-cli.1 \
         ./usr/share/korvan/sounds/ok.wav; do
    grep -qxF "$f" <<<"$contents" || { echo "check-package: $f missing from $deb" >&2; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6core6 qt6-qpa-plugins shared-mime-info zlib1g; do
    grep -q "\b$d\b" <<<"$depends" || { echo "check-package: no dependency on $d: $depends" >&2; exit 1; }
done
echo "check-package: $(basename "$deb") is complete"
