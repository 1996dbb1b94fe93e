#!/usr/bin/env bash
# Installs the program built in the given build folder into a scratch prefix, starts the installed
# program on the installed sample and checks that it read the sample and found the installed
# manual, and validates the installed desktop entry, work-file type and AppStream description.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
data="$prefix/share/pelora"
out=$(cd / && QT_QPA_PLATFORM=offscreen timeout 60 "$prefix/bin/pelora" --version \
        "$data/exempel/exempel.pel" 2>/dev/null)
echo "$out"
grep -qx "Manual: $data/pel.rtf" <<<"$out" || { echo "den installerade manualen hittades inte"; exit 1; }
grep -qx "Arbete: $data/exempel/exempel.pel" <<<"$out" || { echo "exemplet öppnades inte"; exit 1; }
grep -q "^150 elever, 14 grupper" <<<"$out" || { echo "exemplets elever lästes inte"; exit 1; }
# A manual that cannot be read is said to be missing, not named.
rm "$data/pel.rtf" && mkdir "$data/pel.rtf"
broken=$(cd / && QT_QPA_PLATFORM=offscreen timeout 60 "$prefix/bin/pelora" --version 2>/dev/null)
grep -qx "Manual: saknas" <<<"$broken" || { echo "en oläsbar manual kallades funnen: $broken"; exit 1; }
alone=$(cd / && QT_QPA_PLATFORM=offscreen timeout 60 "$prefix/bin/pelora" --version 2>/dev/null)
[ "$(wc -l <<<"$alone")" -eq 2 ] || { echo "--version utan arbete öppnade något: $alone"; exit 1; }

desktop-file-validate "$prefix/share/applications/example.pelora.Pelora.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/example.pelora.Pelora.metainfo.xml"
# The work-file type is read by the system's MIME database.
update-mime-database "$prefix/share/mime" >/dev/null 2>&1
grep -q "application/x-pelora-work" "$prefix/share/mime/globs2"
test -f "$prefix/share/icons/hicolor/scalable/apps/example.pelora.Pelora.svg"
echo "Installationen: godkänd"
