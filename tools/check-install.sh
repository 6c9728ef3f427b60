#!/usr/bin/env bash
# Installs a configured and built Mivo tree into a throw-away prefix and checks what lands there:
# the desktop entry, which opens ROMs from a file manager, the AppStream metadata and the two theme icons.
#
#   tools/check-install.sh BUILD_DIR
#
# Needs cmake, desktop-file-validate and update-desktop-database (desktop-file-utils), xdg-mime
# (xdg-utils), appstreamcli (appstream) and either identify (imagemagick) or python3. Exits non-zero with a message naming the first thing that is wrong.
set -euo pipefail

readonly app_id=io.github.mivo.Mivo
# What the shared MIME database calls .smc and .sfc files.
readonly rom_type=application/vnd.nintendo.snes.rom

fail() {
    echo "check-install: FAIL: $*" >&2
    exit 1
}

[[ $# -eq 1 ]] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build_dir=$1
[[ -f "$build_dir/CMakeCache.txt" ]] || fail "$build_dir is not a configured CMake build directory"

for tool in cmake desktop-file-validate update-desktop-database xdg-mime appstreamcli; do
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
grep -qx 'Exec=mivo %f' "$desktop" || fail "$desktop does not hand mivo the file it opens (Exec=mivo %f)"
sed -n 's/^MimeType=//p' "$desktop" | tr ';' '\n' | grep -qx "$rom_type" ||
    fail "$desktop does not list $rom_type under MimeType"
# The desktop database as Debian's desktop-file-utils trigger rebuilds it when a package installs into
# /usr/share/applications; from it a desktop without a chosen default names Mivo for ROMs.
update-desktop-database "$share/applications" || fail "update-desktop-database failed on $share/applications"
grep -q "^$rom_type=.*$app_id\.desktop" "$share/applications/mimeinfo.cache" ||
    fail "the desktop database does not name $app_id.desktop for $rom_type"
default=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
          XDG_DATA_HOME="$prefix/no-home" XDG_CONFIG_HOME="$prefix/no-home" XDG_CONFIG_DIRS="$prefix/no-home" \
          XDG_DATA_DIRS="$share" xdg-mime query default "$rom_type") || fail "xdg-mime query default failed"
[[ "$default" == "$app_id.desktop" ]] || fail "xdg-mime names '$default', not $app_id.desktop, for $rom_type"
echo "check-install: ok: $desktop (opens $rom_type)"

[[ -f "$metainfo" ]] || fail "AppStream metadata not installed: $metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejected $metainfo"
# Software centres list the files an application opens and show its screenshot.
grep -q "<mediatype>$rom_type</mediatype>" "$metainfo" || fail "$metainfo does not provide $rom_type"
grep -q '<screenshot type="default">' "$metainfo" || fail "$metainfo has no default screenshot"
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
shot=$(sed -n 's|.*<image[^>]*>.*/\(docs/[^<]*\)</image>.*|\1|p' "$metainfo")
[[ -n "$shot" && -f "$source_dir/$shot" ]] || fail "$metainfo shows a screenshot that is not in the source tree: '$shot'"
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
