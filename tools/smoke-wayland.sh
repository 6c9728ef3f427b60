#!/usr/bin/env bash
# Installs a built Mivo tree into a throw-away prefix and starts the installed program natively on a
# headless Wayland compositor (weston), with a stored settings file whose ZSNES is a recording stand-in,
# a ROM named on its command line, and no tray. It waits until the compositor shows the window
# "Mivo v<version>", sees that nothing was started by itself, then uses it over the accessibility bus
# (tools/wayland-story.py: the ROM shown, "Force PAL timing", View Syntax, Run/Play), sees the stand-in started with the
# composed line and the ROM, ends the program with SIGTERM and checks that it ended with status 0,
# wrote nothing to standard error and kept the four stored values.
#
#   tools/smoke-wayland.sh BUILD_DIR
#
# Needs weston (headless backend, weston-debug), qt6-wayland, dbus, at-spi2-core, python3-gi and
# gir1.2-atspi-2.0. weston runs as root here, as in CI.
set -euo pipefail

[[ $# -eq 1 ]] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build_dir=$1

fail() {
    echo "smoke-wayland: FAIL: $*" >&2
    exit 1
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt" 2>/dev/null) || true
[[ -n "$version" ]] || fail "no project version in $build_dir/CMakeCache.txt"
readonly title="Mivo v$version"

for tool in weston weston-debug dbus-daemon; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/mivo-wayland.XXXXXX")
weston_pid=
bus_pid=
cleanup() {
    [[ -n "$weston_pid" ]] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    # The accessibility bus that D-Bus started for Mivo ends with the session bus it was started on.
    [[ -n "$bus_pid" ]] && kill "$bus_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null || fail "cmake --install failed"
[[ -x "$work/prefix/bin/mivo" ]] || fail "the installed program is missing"

# The compositor's private runtime folder and its socket; --debug lets weston-debug read the scene graph.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=mivo-smoke --idle-time=0 --debug \
    --log="$work/weston.log" >/dev/null 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [[ -S "$XDG_RUNTIME_DIR/mivo-smoke" ]] && break
    kill -0 "$weston_pid" 2>/dev/null || { cat "$work/weston.log" >&2; fail "weston did not start"; }
    sleep 0.1
done
[[ -S "$XDG_RUNTIME_DIR/mivo-smoke" ]] || fail "weston made no socket"

# A session bus of its own, on which Mivo's accessibility bus is started.
read -r DBUS_SESSION_BUS_ADDRESS bus_pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -s -d ' ')
export DBUS_SESSION_BUS_ADDRESS

# The emulator: a stand-in that writes down the arguments it was started with.
zsnes="$work/zsnes"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s"\n' "$work/zsnes-arguments" >"$zsnes"
chmod +x "$zsnes"

# What a user stored before: written by hand, as another session of Mivo would have left it.
mkdir -p "$work/config/mivo"
stored="$work/config/mivo/mivo.conf"
cat >"$stored" <<STORED
[settings]
Icon%20in%20tray=1
Minimize%20to%20tray=1
romuluspath=/opt/romulus/romulus
zsnesfilepath=$zsnes
STORED
cp "$stored" "$work/stored-before"

# A ROM as a file manager hands it over, named on the command line; blanks and all, it is one argument.
rom="$work/roms/Super Game.smc"
mkdir "$work/roms" && : >"$rom"

# Only Wayland: no X server to fall back on, and no tray (no StatusNotifier watcher on this bus).
env -u DISPLAY WAYLAND_DISPLAY=mivo-smoke QT_QPA_PLATFORM=wayland XDG_CONFIG_HOME="$work/config" \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$work/prefix/bin/mivo" "$rom" >"$work/mivo.out" 2>"$work/mivo.err" &
mivo_pid=$!
for _ in $(seq 200); do
    WAYLAND_DISPLAY=mivo-smoke timeout 5 weston-debug -o "$work/scene" scene-graph 2>/dev/null || true
    grep -qF "top-level window '$title'" "$work/scene" 2>/dev/null && break
    kill -0 "$mivo_pid" 2>/dev/null || { cat "$work/mivo.err" >&2; fail "the program ended before showing its window"; }
    sleep 0.1
done
grep -qF "top-level window '$title'" "$work/scene" || { kill "$mivo_pid"; cat "$work/mivo.err" >&2; fail "no window titled $title appeared"; }
[[ ! -e "$work/zsnes-arguments" ]] || { kill "$mivo_pid"; fail "the emulator started before Run/Play"; }

"$(dirname "$0")/wayland-story.py" "$zsnes" "$rom" || { kill "$mivo_pid"; cat "$work/mivo.err" >&2; fail "the window could not be used"; }
for _ in $(seq 100); do
    [[ -s "$work/zsnes-arguments" ]] && break
    sleep 0.1
done
# The line is split at blanks: the ROM's name with a blank arrives as two words.
[[ "$(cat "$work/zsnes-arguments" 2>/dev/null)" == "-u"$'\n'"$work/roms/Super"$'\n'"Game.smc" ]] ||
    { kill "$mivo_pid"; fail "Run/Play did not start the emulator with \"-u\" and the ROM named at the start"; }

kill -TERM "$mivo_pid"
status=0
wait "$mivo_pid" || status=$?
[[ "$status" -eq 0 ]] || { cat "$work/mivo.err" >&2; fail "the program ended with status $status after SIGTERM"; }
[[ ! -s "$work/mivo.err" ]] || { cat "$work/mivo.err" >&2; fail "the program wrote to standard error"; }
cmp -s "$work/stored-before" "$stored" || { diff "$work/stored-before" "$stored" >&2 || true; fail "the stored values changed"; }
echo "smoke-wayland: ok: \"$title\" appeared on weston, composed \"-u\" and started the stand-in with it and the ROM named at the start; ended by SIGTERM with status 0, nothing on standard error, the stored values kept"
