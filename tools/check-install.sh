#!/usr/bin/env bash
# Installs a configured and built Mivo tree into a throw-away prefix and checks what lands there:
# the desktop entry, the AppStream metadata and the two theme icons.
#
#   tools/check-install.sh BUILD_DIR
#
# Needs cmake, desktop-file-validate (desktop-file-utils), appstreamcli (appstream) and either
# identify (imagemagick) or python3. Exits non-zero with a message naming the first thing that is wrong.
set -euo pipefail

readonly app_id=io.github.mivo.Mivo

fail() {
    echo "check-install: FAIL: $*" >&2
    exit 1
}

[[ $# -eq 1 ]] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build_dir=$1
[[ -f "$build_dir/CMakeCache.txt" ]] || fail "$build_dir is not a configured CMake build directory"

for tool in cmake desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

prefix=$(mktemp -d "${TMPDIR:-/tmp}/mivo-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

echo "check-install: installing $build_dir into $prefix"
cmake --install "$build_dir" --prefix "$prefix" || fail "cmake --install failed"

# Locate the data directory the same way GNUInstallDirs did for this build.
datarootdir=$(sed -n 's/^CMAKE_INSTALL_DATAROOTDIR:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
share="$prefix/${datarootdir:-share}"

desktop="$share/applications/$app_id.desktop"
metainfo="$share/metainfo/$app_id.metainfo.xml"
png="$share/icons/hicolor/48x48/apps/$app_id.png"
svg="$share/icons/hicolor/scalable/apps/$app_id.svg"

[[ -f "$desktop" ]] || fail "desktop entry not installed: $desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejected $desktop"
echo "check-install: ok: $desktop"

[[ -f "$metainfo" ]] || fail "AppStream metadata not installed: $metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejected $metainfo"
echo "check-install: ok: $metainfo"

[[ -f "$png" ]] || fail "48 px icon not installed: $png"
if command -v identify >/dev/null; then
    size=$(identify -format '%m %wx%h' "$png") || fail "identify cannot read $png"
else
    size=$(python3 - "$png" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read(24)
if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
    print("not-a-png")
else:
    w, h = struct.unpack(">II", data[16:24])
    print(f"PNG {w}x{h}")
PY
) || fail "python3 cannot read $png"
fi
[[ "$size" == "PNG 48x48" ]] || fail "$png should be a 48x48 PNG, found: $size"
echo "check-install: ok: $png ($size)"

[[ -s "$svg" ]] || fail "scalable icon not installed or empty: $svg"
grep -q '<svg' "$svg" || fail "$svg does not look like an SVG file"
echo "check-install: ok: $svg"

# Every icon the desktop entry names must be one that was installed.
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ "$icon" == "$app_id" ]] || fail "desktop entry names icon '$icon', but the installed icons are '$app_id'"

echo "check-install: all checks passed"
