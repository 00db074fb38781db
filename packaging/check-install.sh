#!/usr/bin/env bash
# Installs the build into a scratch root as a package would, then runs the installed programs
# from that read-only tree with a fresh home: the command-line tool downloads the installed
# example firmware into its virtual chip, and the desktop entry passes desktop-file-validate.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'chmod -R u+w "$root"; rm -rf "$root"' EXIT

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
prefix=$root/usr
for f in bin/korvan bin/korvan-cli bin/zel-sim lib/libzel.so share/applications/korvan.desktop \
         share/mime/packages/korvan.xml share/icons/hicolor/scalable/apps/korvan.svg \
         share/icons/hicolor/48x48/apps/korvan.png share/icons/hicolor/256x256/apps/korvan.png \
         share/korvan/zel.db share/korvan/examples/blink.hex share/man/man1/korvan-cli.1 \
         share/man/man1/zel-sim.1 share/korvan/sounds/ok.wav share/korvan/sounds/done.wav \
         share/korvan/sounds/error.wav; do
    [[ -e $prefix/$f ]] || { echo "check-install: $f is not installed" >&2; exit 1; }
done

for f in "$prefix"/share/korvan/sounds/*.wav; do
    file -b "$f" | grep -q '^RIFF.*WAVE audio' || { echo "check-install: $f is no WAV file" >&2; exit 1; }
done

# Nothing may be written below the prefix: the user's files go to the user's folders.
chmod -R a-w "$prefix"
home=$root/home
mkdir -p "$home"
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/korvan-cli" download "$prefix/share/korvan/examples/blink.hex" --sim D103

# The desktop program from the same tree, with no chip on its port: its download fails, and
# what it keeps goes to the user's folders (a write below the prefix would fail).
home=$root/home2
mkdir -p "$home"
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share QT_QPA_PLATFORM=offscreen \
    KORVAN_MESSAGE_ANSWER=1 "$prefix/bin/korvan" /u "$prefix/share/korvan/examples/blink.hex" \
    2>/dev/null && { echo "check-install: korvan reported success without a chip" >&2; exit 1; }
for f in .config/KORVAN/registry.ini .local/share/zel/zel.db .config/mimeapps.list \
         .local/share/mime/packages/korvan.xml .local/share/applications/korvan.desktop; do
    [[ -e $home/$f ]] || { echo "check-install: korvan did not keep ~/$f" >&2; exit 1; }
done

grep -qxF "Exec=$prefix/bin/korvan %f" "$home/.local/share/applications/korvan.desktop" ||
    { echo "check-install: the user's desktop entry does not start $prefix/bin/korvan" >&2; exit 1; }
desktop-file-validate "$prefix/share/applications/korvan.desktop"
desktop-file-validate "$home/.local/share/applications/korvan.desktop"
echo "check-install: installed tree works"
