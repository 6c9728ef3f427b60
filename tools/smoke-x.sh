#!/usr/bin/env bash
# Installs a built Mivo tree into a throw-away prefix and starts the installed program twice on a private
# X server, on a stored settings file, each time until its window "Mivo v<version>" (the version the build
# was configured with) is shown:
# - on the bare server, with no window manager and no tray, ended by SIGTERM;
# - under a window manager (openbox) with a system tray (trayer), as a user would: it waits for the tray
#   icon, takes a screenshot, minimises the window into the tray and brings it back in front with a click
#   on the icon, sees File Paths asked for again come back in front, opens About and sees it in front, and
#   ends Mivo with the close box (the window manager's Alt+F4).
# Each time Mivo must end with status 0, write nothing to standard error and leave the stored file as it
# was.
#
#   tools/smoke-x.sh BUILD_DIR [SCREENSHOT.png]
#
# Needs xvfb-run (xvfb, xauth), xwininfo (x11-utils), import (imagemagick), openbox, trayer and xdotool.
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

for tool in xvfb-run xwininfo import openbox trayer xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/mivo-smoke.XXXXXX")
trap 'rm -rf "$work"' EXIT
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null || fail "cmake --install failed"
[[ -x "$work/prefix/bin/mivo" ]] || fail "the installed program is missing"

# Runs inside the X session. Every wait is for at most 20 s.
cat >"$work/session.sh" <<'SESSION'
set -u
fail() { echo "$*" >&2; exit 1; }
quiet() { [ ! -s "$WORK/mivo.log" ] || fail "the program wrote to standard error: $(cat "$WORK/mivo.log")"; }
until_true() { # COMMAND...: waits until it succeeds
    for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
    return 1
}
active_is() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$1" ]]; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# A desktop session gives every program a runtime folder of its own.
mkdir -m 0700 "$WORK/runtime"
# The two tray preferences as a user keeps them; the paths are not what Mivo holds when nothing is stored.
stored=$'[settings]\nIcon%20in%20tray=1\nMinimize%20to%20tray=1\nromuluspath=/opt/romulus/romulus\nzsnesfilepath=/opt/zsnes/zsnes'
mkdir -p "$WORK/config/mivo"
printf '%s\n' "$stored" >"$WORK/config/mivo/mivo.conf"
kept() { [[ "$(cat "$WORK/config/mivo/mivo.conf")" == "$stored" ]] || fail "$1: $(cat "$WORK/config/mivo/mivo.conf")"; }
main_up() { main=$(xdotool search --all --pid "$pid" --name "^$TITLE\$" 2>/dev/null | head -1) && [[ -n "$main" ]]; }

# No window manager, no tray: shown, then ended by the system.
XDG_RUNTIME_DIR="$WORK/runtime" XDG_CONFIG_HOME="$WORK/config" "$WORK/prefix/bin/mivo" >/dev/null 2>"$WORK/mivo.log" &
pid=$!
until_true main_up || fail "no window titled $TITLE appeared"
until_true viewable "$main" || fail "the window $TITLE was not shown"
kill -TERM "$pid"
wait "$pid" || fail "the program ended with status $? after SIGTERM"
quiet
kept "the values saved at SIGTERM are not the ones restored at start"

openbox >"$WORK/openbox.log" 2>&1 &
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
until_true wm_up || fail "openbox did not start: $(cat "$WORK/openbox.log")"
trayer --edge bottom --align right --widthtype pixel --width 64 --heighttype pixel --height 32 \
    >"$WORK/trayer.log" 2>&1 &
panel_up() { panel=$(xdotool search --name '^panel$' 2>/dev/null | head -1) && [[ -n "$panel" ]]; }
until_true panel_up || fail "the tray did not start"

XDG_RUNTIME_DIR="$WORK/runtime" XDG_CONFIG_HOME="$WORK/config" "$WORK/prefix/bin/mivo" >/dev/null 2>"$WORK/mivo.log" &
pid=$!
until_true main_up || fail "no window titled $TITLE appeared"
until_true viewable "$main" || fail "the window $TITLE was not shown"
in_tray() { # the icon is one of Mivo's windows, embedded in the tray's panel
    for window in $(xdotool search --pid "$pid" 2>/dev/null); do
        xwininfo -tree -id "$panel" | grep -q "^ *$(printf '0x%x' "$window") " && icon=$window && return 0
    done
    return 1
}
until_true in_tray || fail "no icon appeared in the tray"
sleep 0.5 # let the first frames paint before the picture is taken
import -window root "$SHOT"

xdotool windowminimize "$main"
until_true eval '! viewable "$main"' || fail "the minimised window did not go into the tray"
xdotool mousemove --window "$icon" 5 5 click 1
until_true active_is "$main" || fail "a click on the tray icon did not bring the window back in front"

# Asked for again while open behind the main window, File Paths comes back in front.
xdotool key --clearmodifiers alt+f p
paths_up() { paths=$(xdotool search --all --pid "$pid" --name '^File Paths$' 2>/dev/null | head -1) && [[ -n "$paths" ]]; }
until_true paths_up || fail "File, Paths did not open the File Paths window"
until_true active_is "$paths" || fail "the File Paths window did not come in front"
xdotool windowactivate "$main"
until_true active_is "$main" || fail "the main window could not be brought in front"
xdotool key --clearmodifiers alt+f p
until_true active_is "$paths" || fail "File, Paths asked for again did not bring its window back in front"

xdotool windowactivate "$main"
until_true active_is "$main" || fail "the main window could not be brought in front"
xdotool key --clearmodifiers alt+h a
about_up() { about=$(xdotool search --all --pid "$pid" --name '^About$' 2>/dev/null | head -1) && [[ -n "$about" ]]; }
until_true about_up || fail "Help, About did not open the About window"
until_true active_is "$about" || fail "the About window did not come in front"
xdotool key --clearmodifiers Return
until_true eval '! viewable "$about"' || fail "Ok did not close the About window"

until_true active_is "$main" || xdotool windowactivate "$main"
xdotool key --clearmodifiers alt+F4
until_true eval '! kill -0 "$pid" 2>/dev/null' || fail "the close box did not end the program"
wait "$pid" || fail "the program ended with status $? after its close box"
quiet
kept "the values saved at the close box are not the ones restored at start"
exit 0
SESSION

WORK="$work" TITLE="$title" SHOT="$screenshot" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" || {
    cat "$work/mivo.log" >&2 || true
    fail "the installed program on X"
}
[[ -s "$screenshot" ]] || fail "no screenshot was taken"
echo "smoke-x: ok: \"$title\" ended quietly by SIGTERM; with a tray it came back in front and saved at its close box; screenshot in $screenshot"
