#!/usr/bin/env bash
# Makes the workbooks and the comma-separated roster of this folder from the two source CSV
# files, with LibreOffice Calc (Debian: libreoffice-calc-nogui), as a school's spreadsheet would
# save them. The tests read only the files made here, which are committed; run this again only to
# make them anew.
set -euo pipefail
cd "$(dirname "$0")"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# CSV import: ";" separated (59), '"' quoted (34), UTF-8 (76), from line 1.
import='CSV:59,34,76,1'
convert() {  # source, format, target
  soffice --headless --infilter="$import" --convert-to "$2" --outdir "$out" "$1" >/dev/null 2>&1
  local made
  made=$(basename "${1%.csv}").${2%%:*}
  mv "$out/$made" "$3"
}
convert källa-klass-först.csv xlsx calc.xlsx
convert källa-klass-först.csv ods calc.ods
convert källa-för-och-efternamn.csv ods för-och-efternamn.ods
convert källa-för-och-efternamn.csv xlsx för-och-efternamn.xlsx
# Blanks in a row and a line break inside a cell.
convert källa-mellanrum.csv ods mellanrum.ods
# 600 pupils in 48 classes, for the benchmark of reading a large workbook.
awk 'BEGIN { print "Namn;Personnummer;Klass";
             for (i = 1; i <= 600; i++) printf "Elev nummer %d;%010d;%d%c\n", i, 801010000 + i,
                                               7 + i % 3, 65 + i % 16 }' > "$out/600.csv"
convert "$out/600.csv" xlsx elever-600.xlsx
# Comma separated, UTF-8, quoted text: Calc's own CSV export.
convert källa-klass-först.csv 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true' komma.csv
# Names that Windows-1252 cannot hold, and a class with such a letter.
convert källa-namn.csv xlsx namn.xlsx
convert källa-namn.csv ods namn.ods
