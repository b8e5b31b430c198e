#!/usr/bin/env bash
# The Debian package of a build: `cpack -G DEB` writes gridslate_VERSION_ARCH.deb
# whose files stand in their places, whose program is stripped and whose
# Depends names the Qt 6 libraries that dpkg-shlibdeps found.
#   debianpackage.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
for tool in dpkg-deb dpkg-shlibdeps file; do
    if ! command -v $tool >/dev/null; then
        echo "$tool is not installed (Debian: dpkg-dev, file): the package is not checked"
        exit 77
    fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" ||
    { cat "$out/cpack.log"; exit 1; }
deb=$(echo "$out"/gridslate_"$version"_*.deb)
[ -f "$deb" ] || { echo "no gridslate_${version}_*.deb in:"; ls "$out"; exit 1; }

status=0
id=io.github.gridslate.Gridslate
contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
wanted=(./usr/bin/gridslate ./usr/share/man/man1/gridslate.1 "./usr/share/applications/$id.desktop"
        "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/scalable/apps/$id.svg"
        ./usr/share/doc/gridslate/copyright ./usr/share/doc/gridslate/LICENSE
        ./usr/share/doc/gridslate/GSLT_manual.pdf ./usr/share/doc/gridslate/manual.md)
for size in 16 32 48 64 128 256; do
    wanted+=("./usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${wanted[@]}"; do
    grep -qxF "$file" <<<"$contents" || { echo "not in the package: $file"; status=1; }
done

fields=$(dpkg-deb --field "$deb" Package Version Section Architecture Depends)
for field in "Package: gridslate" "Version: $version" "Section: games"; do
    grep -qxF "$field" <<<"$fields" || { echo "no \"$field\""; status=1; }
done
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libsqlite3-0 libcurl4; do
    grep -q "^Depends:.*\b$library\b" <<<"$fields" || { echo "Depends lacks $library"; status=1; }
done

dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/gridslate >"$out/gridslate"
file -b "$out/gridslate" | grep -q ', stripped' ||
    { echo "usr/bin/gridslate is not stripped: $(file -b "$out/gridslate")"; status=1; }
[ $status -eq 0 ] || { dpkg-deb --info "$deb"; echo "$contents"; }
exit $status
