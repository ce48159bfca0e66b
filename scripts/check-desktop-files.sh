#!/bin/sh
# Checks the desktop entry and the AppStream metainfo with the freedesktop validators.
# Exits 77 (skipped) when neither validator is installed.
set -u
dist="$1"
ran=0
status=0
if command -v desktop-file-validate >/dev/null 2>&1; then
  ran=1
  out=$(desktop-file-validate "$dist/org.velmora.Velmora.desktop" 2>&1) || status=1
  # Hints are advice; anything else the validator says is a fault.
  if printf '%s\n' "$out" | grep -v ': hint: ' | grep -q .; then
    printf '%s\n' "$out"
    status=1
  fi
fi
if command -v appstreamcli >/dev/null 2>&1; then
  ran=1
  appstreamcli validate --no-net --pedantic "$dist/org.velmora.Velmora.metainfo.xml" || status=1
fi
[ "$ran" -eq 1 ] || exit 77
exit $status
