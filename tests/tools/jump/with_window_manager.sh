#!/bin/sh
# Runs a test on the X display with openbox managing its windows, when openbox is installed,
# so that windows have real frames. The window manager ends with the test.
if command -v openbox >/dev/null 2>&1; then
  openbox --sm-disable >/dev/null 2>&1 &
  manager=$!
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    [ "$tries" -gt 100 ] && break
    sleep 0.1
  done
fi
"$@"
status=$?
[ -n "$manager" ] && kill "$manager" 2>/dev/null
exit $status
