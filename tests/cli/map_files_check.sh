#!/usr/bin/env bash
# The map's files as other programs read them: GDAL's own tools find the
# coordinate system asked for and both layers, poppler finds one page and
# real text in the PDF, xmllint parses the SVG, file(1) sizes the PNG.
#   map_files_check.sh TRALVA_UTIL EXAMPLES_DIR
set -uo pipefail
util=$(realpath "$1") examples=$(realpath "$2")
for tool in gdalinfo ogrinfo pdfinfo pdftotext xmllint file; do
  command -v "$tool" >/dev/null || {
    echo "FAIL: $tool missing (scripts/ensure-deps.sh installs it)" >&2
    exit 1
  }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

"$util" campo "$examples/progetto-unito.tlva" --piano --origine -50 -100 --passo 10 10 \
  --passi 110 30 --quota 1 campo.txt >/dev/null || fail "campo"
"$util" mappa campo.txt --progetto "$examples/progetto-unito.tlva" --epsg 6707 \
  --titolo 'Linea di prova' --dpi 100 -o m.png -o m.pdf -o m.svg -o m.tif -o m.gpkg >/dev/null ||
  fail "mappa ended with status $?"

gdalinfo m.tif | grep -q '^    ID\["EPSG",6707\]\]$' || fail "gdalinfo does not show EPSG 6707"
gdalinfo m.tif | grep -q '^Size is 111, 31$' || fail "the GeoTIFF is not 111 x 31"
layers=$(ogrinfo -q m.gpkg | sed 's/^[0-9]*: //' | LC_ALL=C sort | tr '\n' ' ')
[[ $layers == 'fasce (Multi Polygon) isolinee (Line String) ' ]] ||
  fail "the GeoPackage's layers are '$layers'"
ogrinfo -so m.gpkg fasce | grep -q '^    ID\["EPSG",6707\]\]$' || fail "fasce is not in EPSG 6707"

pdfinfo m.pdf | grep -q '^Pages: *1$' || fail "the PDF has not one page"
text=$(pdftotext m.pdf -)
grep -q 'Linea di prova' <<<"$text" || fail "pdftotext does not find the title"
grep -q '3 µT' <<<"$text" || fail "pdftotext does not find '3 µT'"
xmllint --noout m.svg || fail "xmllint does not parse the SVG"
file -b m.png | grep -q '^PNG image data, 1169 x 827,' || fail "m.png is $(file -b m.png)"

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "the map's files read as expected"
