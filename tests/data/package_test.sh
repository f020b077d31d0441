#!/usr/bin/env bash
# The Debian package as CPack makes it: its dependencies, and its files
# unpacked into a scratch root where the desktop looks for them; the
# programs there run.
#   package_test.sh BUILD_FOLDER APP_ID VERSION
set -uo pipefail
build=$1
id=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
package=$(ls "$work"/out/*.deb)
[[ "$(basename "$package")" == "train-map-editor_${version}_"*.deb ]] || fail "package name $package"
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 zlib1g libstdc++6 qt6-qpa-plugins; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends has no $needed: $depends"
done

root=$work/root
dpkg -x "$package" "$root"
for file in usr/bin/tredit usr/bin/trntool usr/bin/trntool-render \
  "usr/share/applications/$id.desktop" \
  "usr/share/icons/hicolor/scalable/apps/$id.svg" \
  "usr/share/mime/packages/$id.xml" \
  "usr/share/metainfo/$id.metainfo.xml" \
  usr/share/man/man1/tredit.1.gz usr/share/man/man1/trntool.1.gz \
  usr/share/bash-completion/completions/trntool \
  usr/share/doc/train-map-editor/copyright; do
  [[ -s "$root/$file" ]] || fail "no $file"
done
for size in 16 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  # The width and height in the PNG's header.
  got=$(od -An -tu1 -j16 -N8 "$png" 2>/dev/null | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')
  [[ "$got" == "${size}x${size}" ]] || fail "icon of $size pixels is $got"
done
grep -qx "Exec=tredit %F" "$root/usr/share/applications/$id.desktop" || fail "desktop entry's Exec"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "installed desktop entry"

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/tredit" --version 2>&1)
[[ "$out" == "tredit $version" ]] || fail "installed tredit --version: $out"
printf 'PNT 2\r\n   0    0    0    0 0 2 1 -1 0 -1 0 \r\n   1  100    0    0 0 2 2 -1 0 -1 0 \r\nTRK 1\r\n   2 0 0 \r\n' >"$work/map.trn"
out=$(env -u DISPLAY "$root/usr/bin/trntool" render "$work/map.trn" "$work/map.pdf" 2>&1)
[[ $? -eq 0 && -z "$out" && "$(head -c 5 "$work/map.pdf")" == "%PDF-" ]] ||
  fail "installed trntool render: $out"
exit $((failures > 0))
