#!/bin/sh
# Renders every page layout and a document with day texts and labels through the exporter
# and compares the results with the committed pictures (byte for byte) and the PDF text.
# A change of drawing code that alters a single pixel shows up here.
#
#   check.sh EXPORTER GOLDEN_DIR WORK_DIR           compare
#   check.sh EXPORTER GOLDEN_DIR WORK_DIR --update  rewrite the golden files
set -eu

exe=$1
golden=$2
work=$3
update=${4:-}

rm -rf "$work"
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen

# A fixed date and names, so the pages do not follow the clock or the locale.
common="--month 3 --year 2027 --day 14 --language en --week-start sunday --paper letter"

render() { # name, then exporter arguments
  name=$1
  shift
  # shellcheck disable=SC2086
  "$exe" "$@" "$work/$name"
}

layout=0
while [ "$layout" -le 21 ]; do
  # shellcheck disable=SC2086
  render "layout-$layout.png" $common --layout "$layout" --zoom 0.5
  # shellcheck disable=SC2086
  render "layout-$layout.pdf" $common --layout "$layout"
  layout=$((layout + 1))
done
render document.png "$golden/document.QXF"
render document-70.png --zoom 0.7 "$golden/document.QXF"
render document.pdf "$golden/document.QXF"

for pdf in "$work"/*.pdf; do
  pdftotext -layout "$pdf" "${pdf%.pdf}.pdf.txt"
  rm "$pdf"
done

if [ "$update" = "--update" ]; then
  find "$golden" -name '*.png' -delete
  find "$golden" -name '*.pdf.txt' -delete
  cp "$work"/*.png "$work"/*.pdf.txt "$golden"/
  echo "golden files rewritten in $golden"
  exit 0
fi

status=0
for f in "$work"/*.png "$work"/*.pdf.txt; do
  base=$(basename "$f")
  if [ ! -f "$golden/$base" ]; then
    echo "missing golden file $base"
    status=1
  elif ! cmp -s "$f" "$golden/$base"; then
    echo "differs from the golden file: $base"
    case "$base" in *.txt) diff "$golden/$base" "$f" | head -20 || true ;; esac
    status=1
  fi
done
for g in "$golden"/*.png "$golden"/*.pdf.txt; do
  [ -f "$work/$(basename "$g")" ] || { echo "not produced: $(basename "$g")"; status=1; }
done
[ "$status" -eq 0 ] && echo "all pages match"
exit "$status"
