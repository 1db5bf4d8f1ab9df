#!/usr/bin/env bash
# Starts Quillet on a virtual X display (Xvfb) and writes a PNG of its main window.
#   tools/screenshot.sh OUTPUT.png            builds Quillet first (as tools/run.sh does)
#   tools/screenshot.sh OUTPUT.png QUILLET    takes this quillet binary as it is
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    sed -n '2,4s/^# \{0,1\}//p' "$0" >&2
    exit 2
fi
out=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -eq 2 ]; then
    quillet=$2
else
    "$here/run.sh" --build-only >&2
    quillet="$here/../build-release/app/quillet"
fi
[ -x "$quillet" ] || { echo "screenshot: $quillet is not a program" >&2; exit 1; }

tmp=$(mktemp -d)
xvfb_pid=
quillet_pid=
cleanup() {
    [ -z "$quillet_pid" ] || kill "$quillet_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
    echo "screenshot: $1" >&2
    [ ! -s "$tmp/quillet.log" ] || sed 's/^/  quillet: /' "$tmp/quillet.log" >&2
    exit 1
}

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
    sleep 0.1
done
[ -s "$tmp/display" ] || fail "Xvfb did not start within 10 s"
DISPLAY=":$(cat "$tmp/display")"
export DISPLAY

env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$quillet" >"$tmp/quillet.log" 2>&1 &
quillet_pid=$!

# The main window's id once it is mapped ("IsViewable").
window=
for _ in $(seq 200); do
    kill -0 "$quillet_pid" 2>/dev/null || fail "quillet ended before its window was shown"
    info=$(xwininfo -name Quillet 2>/dev/null || true)
    if grep -q 'Map State: IsViewable' <<<"$info"; then
        window=$(sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")
        break
    fi
    sleep 0.1
done
[ -n "$window" ] || fail "the main window was not shown within 20 s"

# Mapped is not yet painted: wait until two dumps a moment apart are equal.
xwd -silent -id "$window" >"$tmp/a.xwd"
stable=no
for _ in $(seq 20); do
    sleep 0.25
    xwd -silent -id "$window" >"$tmp/b.xwd"
    if cmp -s "$tmp/a.xwd" "$tmp/b.xwd"; then
        stable=yes
        break
    fi
    mv "$tmp/b.xwd" "$tmp/a.xwd"
done
[ "$stable" = yes ] || fail "the window kept changing for 5 s"

python3 "$here/xwd_to_png.py" "$tmp/a.xwd" "$out"
echo "screenshot: wrote $out"
