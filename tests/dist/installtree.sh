#!/usr/bin/env bash
# The install tree of a build: `cmake --install` into a temporary prefix
# holds every file a desktop, a packager and a reader look for, nothing
# beside them, and the launcher entry and the description validate where
# they were installed.
#   installtree.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"

id=io.github.gridslate.Gridslate
wanted=(bin/gridslate share/man/man1/gridslate.1 "share/applications/$id.desktop"
        "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg"
        share/doc/gridslate/LICENSE share/doc/gridslate/copyright share/doc/gridslate/manual.md
        share/doc/gridslate/GSLT_manual.pdf share/doc/gridslate/images/weekly-picks.png)
for size in 16 32 48 64 128 256; do
    wanted+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
status=0
for file in "${wanted[@]}"; do
    [ -s "$file" ] || { echo "not installed: $file"; status=1; }
done
# An icon is the size its folder says: 48x48 holds a 48 x 48 picture.
for icon in share/icons/hicolor/*x*/apps/*.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "${width}x${height}" = "$size" ] || { echo "$icon is ${width}x${height}"; status=1; }
done
stray=$(find . -type f | sort | grep -v -E \
    '^\./(bin/gridslate|share/(applications|metainfo|icons/hicolor|man/man1|doc/gridslate)/.*)$' || true)
[ -z "$stray" ] || { echo "installed where nothing of ours belongs:"; echo "$stray"; status=1; }

# The validators: errors fail by exit status; a warning fails as well, for a
# launcher with deprecated keys is not one to ship either.
if command -v desktop-file-validate >/dev/null; then
    said=$(desktop-file-validate "share/applications/$id.desktop" 2>&1) || status=1
    [ -z "$said" ] || { echo "$said"; status=1; }
else
    echo "desktop-file-validate is not installed (Debian: desktop-file-utils): not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "share/metainfo/$id.metainfo.xml" || status=1
else
    echo "appstreamcli is not installed (Debian: appstream): not validated"
fi
[ $status -eq 0 ] || { echo "The tree:"; find . -type f | sort; }
exit $status
