#!/usr/bin/env bash
# Installs the program into a scratch prefix, validates its launcher and metainfo,
# then starts the installed program from a read-only copy of its folder, as an
# ordinary user, on an X server of its own, and walks the wizard with xdotool: the
# run's working copy must land in the data folder the user was given, next to
# their own copy of words.mdb, and nothing may be written beside the program.
#
#   install_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
app_id=org.penrook.Penrook
scratch=$(mktemp -d)
manifest=/nonexistent
server=""
program=""
cleanup() {
    if [ -e "$scratch/manifest.saved" ]; then cp -p "$scratch/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    chmod -R u+w "$scratch" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/prefix
# The build tree's install manifest belongs to a real `make install`, which
# `make uninstall` reads: it is put back when the check ends.
manifest=$build/install_manifest.txt
[ -e "$manifest" ] && cp -p "$manifest" "$scratch/manifest.saved"
cmake --install "$build" --prefix "$prefix" >/dev/null
desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "the launcher does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null \
    || fail "the metainfo does not validate"
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/$app_id.desktop")
[ "$exec_line" = "$prefix/bin/penrook" ] && [ -x "$exec_line" ] || fail "the launcher starts '$exec_line'"
for size in 16 24 32 48 64 128 256; do
    [ -s "$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png" ] || fail "no $size pixel icon"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon"
echo "installed and validated under $prefix"

# A read-only copy of the program's folder, and a user who owns only a home.
chmod 755 "$scratch"
cp -a "$prefix/lib/penrook" "$scratch/program"
chmod -R a-w "$scratch/program"
home=$scratch/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" = 0 ]; then
    # root can write anything; the check runs as nobody, who cannot.
    chown nobody "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
data=$home/data

display=90
while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp -ac >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$display ] && break; sleep 0.05; done
export DISPLAY=":$display"

env -i PATH="$PATH" HOME="$home" XDG_DATA_HOME="$data" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb \
    "${as_user[@]}" "$scratch/program/penrook" >"$scratch/program.log" 2>&1 &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillmorph$' | head -n 1) \
    || fail "the window did not appear: $(cat "$scratch/program.log")"
sleep 1

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
# The text box of the original page, Next through every page to the output page,
# "No" to saving copies elsewhere, and Next to the finish.
click 170 240
xdotool type --delay 5 "The quick brown fox jumps over the lazy dog and runs far away."
for _ in 1 2 3 4 5 6; do click 587 379; done
click 500 144
click 587 379

copy=$data/penrook/Quillmorph1.txt
for _ in $(seq 50); do [ -s "$copy" ] && break; sleep 0.1; done
[ -s "$copy" ] || { [ -n "${SHOT:-}" ] && import -window root "$SHOT"; false; } || fail "no working copy in $data/penrook: $(ls -la "$data/penrook" 2>&1; cat "$scratch/program.log")"
[ -s "$data/penrook/words.mdb" ] || fail "no words.mdb of the user's own"
[ "$(ls "$scratch/program" | sort | tr '\n' ' ')" = "help.html penrook penrook-wordsdb words.mdb " ] \
    || fail "the program's folder changed: $(ls "$scratch/program")"
grep -q "fox" "$copy" || fail "the working copy does not hold the text: $(cat "$copy")"
echo "a run wrote $(wc -c <"$copy") bytes to $copy"
