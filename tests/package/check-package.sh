#!/usr/bin/env bash
# Checks what an installation and the Debian package hold, without installing anything on
# this machine: `cmake --install` into a scratch prefix, the package built by CPack into a
# scratch folder and read with dpkg-deb, the desktop entry and the AppStream metadata put
# through their validators.
# Usage: check-package.sh <build dir>
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

id=org.velmora.Velmora
expected=(
  bin/velmora
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done

# The installed tree: exactly these files.
cmake --install "$build" --prefix "$scratch/root" >/dev/null
actual=$(cd "$scratch/root" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$wanted" ] || fail "installed tree differs:"$'\n'"$(diff <(echo "$wanted") <(echo "$actual"))"
[ -x "$scratch/root/bin/velmora" ] || fail "the program is not executable"

desktop-file-validate "$scratch/root/share/applications/$id.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$scratch/root/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate"

# The package: the same files under /usr, and its control fields.
(cd "$scratch" && cpack -G DEB --config "$(cd "$build" && pwd)/CPackConfig.cmake" \
   -B "$scratch/pkg" >/dev/null)
deb=$(ls "$scratch"/pkg/velmora_*_amd64.deb)
listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort)
[ "$listed" = "$wanted" ] || fail "package files differ:"$'\n'"$(diff <(echo "$wanted") <(echo "$listed"))"
[ "$(dpkg-deb -f "$deb" Package)" = velmora ] || fail "Package"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "Architecture"
[ -n "$(dpkg-deb -f "$deb" Version)" ] || fail "Version"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "Maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libc6 libstdc++6; do
  grep -q "\b$p\b" <<<"$depends" || fail "Depends lacks $p: $depends"
done
echo "installed tree, package file list and control fields as expected"
