#!/bin/sh
# The layers of the source tree: a folder may include its own headers and those of the
# folders below it, never one above. The libraries link the same way, so a wrong include
# would otherwise only show as a link error somewhere else.
#
#   check.sh SRC_DIR [EXPORTER]
# With the exporter given, it must not load Qt Widgets either: it draws without windows.
set -eu

src=$1
exporter=${2:-}

allowed() { # folder -> the folders it may include
  case "$1" in
    common)    echo "common" ;;
    imaging)   echo "imaging common" ;;
    richtext)  echo "richtext imaging common" ;;
    recurring) echo "recurring common" ;;
    objects)   echo "objects common" ;;
    calendar)  echo "calendar objects richtext imaging common" ;;
    app)       echo "app calendar recurring objects richtext imaging common" ;;
    main)      echo "main app calendar recurring objects richtext imaging common" ;;
  esac
}

status=0
for dir in common imaging richtext recurring objects calendar app main; do
  ok=$(allowed "$dir")
  for f in "$src/$dir"/*.h "$src/$dir"/*.cpp; do
    [ -f "$f" ] || continue
    for used in $(sed -n 's|^#include "\([a-z]*\)/.*|\1|p' "$f" | sort -u); do
      case " $ok " in
        *" $used "*) ;;
        *) echo "$f includes $used/, a layer it must not use"; status=1 ;;
      esac
    done
  done
done

if [ -n "$exporter" ] && command -v ldd >/dev/null 2>&1; then
  if ldd "$exporter" | grep -q 'libQt6Widgets'; then
    echo "$exporter loads Qt Widgets"
    status=1
  fi
fi

[ "$status" -eq 0 ] && echo "layers hold"
exit "$status"
