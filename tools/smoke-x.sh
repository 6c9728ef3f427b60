#!/usr/bin/env bash
# Installs a built Mivo tree into a throw-away prefix, starts the installed program on a private X
# server with a stored settings file, waits for its window "Mivo v<version>" (the version the build was
# configured with), takes a screenshot and ends it with SIGTERM: it must end with status 0, write nothing
# to standard error and keep the stored values.
#
#   tools/smoke-x.sh BUILD_DIR [SCREENSHOT.png]
#
# Needs xvfb-run (xvfb, xauth), xwininfo (x11-utils) and import (imagemagick).
set -euo pipefail

[[ $# -ge 1 ]] || { echo "usage: $0 BUILD_DIR [SCREENSHOT.png]" >&2; exit 2; }
build_dir=$1
screenshot=${2:-$build_dir/smoke-x.png}

fail() {
    echo "smoke-x: FAIL: $*" >&2
    exit 1
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt" 2>/dev/null) || true
[[ -n "$version" ]] || fail "no project version in $build_dir/CMakeCache.txt"
readonly title="Mivo v$version"

for tool in xvfb-run xwininfo import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/mivo-smoke.XXXXXX")
trap 'rm -rf "$work"' EXIT
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null || fail "cmake --install failed"
[[ -x "$work/prefix/bin/mivo" ]] || fail "the installed program is missing"
mkdir -p "$work/config/mivo"
mkdir -m 0700 "$work/runtime" # as a desktop session gives every program
printf '[settings]\nIcon%%20in%%20tray=1\nMinimize%%20to%%20tray=1\nromuluspath=/opt/romulus/romulus\nzsnesfilepath=/usr/games/zsnes\n' \
    | tee "$work/stored-before" >"$work/config/mivo/mivo.conf"

# Runs inside the X session: start the program with its settings in the work folder, wait up to 20 s for
# its window, take the picture, end the program.
cat >"$work/session.sh" <<'SESSION'
set -u
XDG_RUNTIME_DIR="$WORK/runtime" XDG_CONFIG_HOME="$WORK/config" "$WORK/prefix/bin/mivo" >"$WORK/mivo.out" 2>"$WORK/mivo.log" &
pid=$!
for _ in $(seq 200); do
    xwininfo -root -tree 2>/dev/null | grep -qF "\"$TITLE\"" && break
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window" >&2; exit 1; }
    sleep 0.1
done
xwininfo -root -tree | grep -qF "\"$TITLE\"" || { echo "no window titled $TITLE appeared" >&2; kill "$pid"; exit 1; }
sleep 0.5 # let the first frames paint before the picture is taken
import -window root "$SHOT"
kill -TERM "$pid"
wait "$pid" || { echo "the program ended with status $? after SIGTERM" >&2; exit 1; }
[ ! -s "$WORK/mivo.log" ] || { echo "the program wrote to standard error" >&2; exit 1; }
exit 0
SESSION

WORK="$work" TITLE="$title" SHOT="$screenshot" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" || {
    cat "$work/mivo.log" >&2 || true
    fail "the installed program did not show its window"
}
[[ -s "$screenshot" ]] || fail "no screenshot was taken"
cmp -s "$work/stored-before" "$work/config/mivo/mivo.conf" || fail "the stored values changed"
echo "smoke-x: ok: \"$title\" appeared and ended quietly by SIGTERM, the stored values kept; screenshot in $screenshot"
