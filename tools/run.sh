#!/usr/bin/env bash
# Installs what is missing, builds Quillet (Release, in build-release/) and starts it.
#   tools/run.sh               start it on your display ($DISPLAY or $WAYLAND_DISPLAY)
#   tools/run.sh --xvfb        start it on a virtual X display (Xvfb), e.g. over ssh
#   tools/run.sh --build-only  install and build, print the program's path, start nothing
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    sed -n '2,5s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

mode=display
case "${1:-}" in
"") ;;
--xvfb) mode=xvfb ;;
--build-only) mode=build ;;
*) usage ;;
esac
[ $# -le 1 ] || usage

# Say so before a long install and build that could not be shown anyway.
if [ "$mode" = display ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'TEXT'
run: there is no display: neither DISPLAY nor WAYLAND_DISPLAY is set, so Quillet's
window has nowhere to appear. Either
  - run it on a virtual X display:    tools/run.sh --xvfb
    (its window is then invisible; tools/screenshot.sh OUT.png takes a picture of it), or
  - log in with a display (a desktop session, or ssh -X), then run tools/run.sh again.
TEXT
    exit 1
fi

if [ "$(id -u)" -eq 0 ]; then
    tools/install-deps.sh
else
    sudo tools/install-deps.sh
fi

build="build-release"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLET_WERROR=OFF -DQUILLET_BENCH=OFF >/dev/null
cmake --build "$build" --target quillet -j "$(nproc)"
quillet="$PWD/$build/app/quillet"

case "$mode" in
build)
    echo "$quillet"
    ;;
display)
    exec "$quillet"
    ;;
xvfb)
    echo "run: starting Quillet on a virtual X display (Xvfb); Ctrl+C ends it" >&2
    exec xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24 -nolisten tcp" "$quillet"
    ;;
esac
