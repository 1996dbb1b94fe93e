#!/usr/bin/env bash
# Makes the workbooks of this folder from svar.csv (a web form's answers, comma separated, UTF-8
# with BOM) with LibreOffice Calc (Debian: libreoffice-calc-nogui), as a school's spreadsheet
# would save them: the identity numbers without a hyphen become number cells. The tests read only
# the files made here, which are committed; run this again only to make them anew.
set -euo pipefail
cd "$(dirname "$0")"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for format in xlsx ods; do
  soffice --headless --infilter='CSV:44,34,76,1' --convert-to "$format" --outdir "$out" svar.csv \
    >/dev/null 2>&1
  mv "$out/svar.$format" "svar.$format"
done
