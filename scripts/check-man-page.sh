#!/bin/sh
# Checks that the manual page describes every option the exporter's --help lists, so the two
# cannot drift apart.
#   check-man-page.sh VELMORA_EXPORT MANPAGE
set -u
exporter="$1"
page="$2"
options=$("$exporter" --help 2>&1 | grep -o -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || { echo "no options in --help"; exit 1; }
status=0
for option in $options; do
  # The page writes each minus as \-.
  escaped=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
  if ! grep -q -- "$escaped\([^a-z-]\|\$\)" "$page"; then
    echo "$page does not describe $option"
    status=1
  fi
done
exit $status
