#!/usr/bin/env bash
# Runs a command on a desktop of its own: a private X server (Xvfb, 1280x1024, on the first free
# display) with the openbox window manager, both ended with the command. The DISPLAY of the
# caller's own desktop is never used. Exits with the command's status, or 77 when Xvfb, openbox
# or xprop is not installed (ctest then counts the test as skipped).
#
#   bash scripts/x11-session.sh build/tests/progress_window_x11test
set -euo pipefail

for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || {
    echo "x11-session: $tool is missing (bash scripts/install-deps.sh installs it)" >&2
    exit 77
  }
done

session=$(mktemp -d)
xvfb="" wm="" command=""
end() {
  for pid in $command $wm $xvfb; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$session"
}
trap end EXIT
trap 'exit 143' TERM INT HUP

# -displayfd: the server takes the first free display and says which, so that sessions run side
# by side. A server ending on that display just before may still remove the socket the new one
# made, so that nothing can connect: the whole desktop is then started again.
start_desktop() {
  : >"$session/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session/display" \
    >"$session/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 200); do
    [ -s "$session/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
  done
  [ -s "$session/display" ] || { echo "x11-session: Xvfb did not start" >"$session/why"; return 1; }
  export DISPLAY=":$(head -n 1 "$session/display")"
  xprop -root >/dev/null 2>&1 || { echo "x11-session: $DISPLAY cannot be reached" >"$session/why"; return 1; }

  openbox >"$session/openbox.log" 2>&1 &
  wm=$!
  # The tests skip themselves without a window manager: wait until openbox has taken the screen.
  for _ in $(seq 200); do
    managed && return 0
    kill -0 "$wm" 2>/dev/null || break
    sleep 0.05
  done
  managed || { echo "x11-session: openbox did not take the screen" >"$session/why"; return 1; }
}
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
stop_desktop() {
  for pid in $wm $xvfb; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  wm="" xvfb=""
}

started=""
for _ in 1 2 3 4 5; do
  if start_desktop; then started=1; break; fi
  stop_desktop
done
[ -n "$started" ] || {
  cat "$session/why" >&2
  cat "$session/xvfb.log" "$session/openbox.log" 2>/dev/null >&2
  exit 2
}

# In the background, so that a signal to this script ends the whole session at once.
"$@" &
command=$!
status=0
wait "$command" || status=$?
command=""
exit "$status"
