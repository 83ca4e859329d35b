#!/usr/bin/env bash
# Builds the Debian package from build/ (after scripts/build.sh), unpacks it into a scratch root
# and checks it: every file in its place, the desktop entry and the AppStream metainfo valid, the
# dependencies worked out, and the unpacked program answers --version.
set -euo pipefail
cd "$(dirname "$0")/../build"
rm -f vamox_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls vamox_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

id=nl.vamox.Vamox
fout=0
for f in usr/bin/vamox usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg; do
  [ -s "$root/$f" ] || { echo "missing in $deb: /$f" >&2; fout=1; }
done
for maat in 16 22 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${maat}x${maat}/apps/$id.png
  [ -s "$png" ] || { echo "missing in $deb: ${png#$root}" >&2; fout=1; continue; }
  # The bytes 16..23 of a PNG hold its width and height, big-endian.
  [ "$(od -An -tu4 --endian=big -j16 -N8 "$png" | tr -s ' ')" = " $maat $maat" ] ||
    { echo "${png#$root} is not ${maat}x${maat}" >&2; fout=1; }
done
# Nothing of the build or the tests goes into the package.
extra=$(cd "$root" && find . -type f | grep -v -e '^./usr/bin/vamox$' -e '^./usr/share/' || true)
[ -z "$extra" ] || { echo "unexpected files in $deb: $extra" >&2; fout=1; }

desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6svg6 libcurl4 qt6-qpa-plugins; do
  [[ $depends == *"$lib"* ]] || { echo "$deb does not depend on $lib: $depends" >&2; fout=1; }
done
"$root/usr/bin/vamox" --version
[ $fout -eq 0 ] && echo "package $deb: files, desktop entry, metainfo and dependencies in order"
exit $fout
