#!/bin/sh
# Starts the release build; without a display, says how to run it under Xvfb instead.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: run it under Xvfb with  xvfb-run -a $1"
  exit 0
fi
exec "$1"
