# The X side going away under a running program. A preview's or hack's host window
# destroyed at any moment, and the X server killed under the saver, the preview, the
# windowed application and the hack: every process ends within a few seconds with an
# exit status of its own (never a signal such as SIGSEGV or SIGABRT), and a lost
# display is named on stderr in one line.
source "$(dirname "$0")/lib.sh" "$1"
WINDOWED="$(dirname "$PYXORA")/pyxora-window"

# Ends within 5 seconds with a status of its own, left in $status.
ended_cleanly() {
  local pid="$1" what="$2"
  wait_gone "$pid" 5 || fail "$what: still running 5 s later"
  status=0
  wait "$pid" || status=$?
  [ "$status" -lt 128 ] || fail "$what: ended by signal $((status - 128))"
}

# A host window of another client: xlogo's top-level window or the child it draws in.
start_host() {
  xlogo -geometry 240x160+40+40 2>/dev/null &
  logo=$!
  top=$(wait_window xlogo)
  inner=$(xwininfo -id "$top" -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*240x160+0+0.*/\1/p' | head -n1)
}

# Takes the host away: the window alone, the client with all its windows, or the client's
# process.
remove_host() {
  case $(($1 % 3)) in
    0) xdotool windowclose "$2" 2>/dev/null || true ;;
    1) xdotool windowkill "$2" 2>/dev/null || true ;;
    2) kill -KILL "$logo" 2>/dev/null || true ;;
  esac
}

stop_host() {
  kill "$logo" 2>/dev/null || true
  wait "$logo" 2>/dev/null || true
}

start_x 640x480
setting General AnimationType 0

# Delays from "before the program has connected" through its start-up to full speed.
delays=(0 0.01 0.03 0.06 0.1 0.15 0.25 0.4 0.7 1.2)
round=0
for delay in "${delays[@]}"; do
  round=$((round + 1))
  start_host
  "$PYXORA" /p "$((top))" 2>"$WORK/preview.err" &
  preview=$!
  sleep "$delay"
  remove_host "$round" "$top"
  ended_cleanly "$preview" "preview (host gone after ${delay}s)"
  [ "$status" -eq 0 ] || fail "preview (host gone after ${delay}s): status $status"
  grep -qi "abort\|fatal\|core" "$WORK/preview.err" && fail "preview (host gone after ${delay}s): $(cat "$WORK/preview.err")"
  stop_host

  start_host
  [ -n "$inner" ] || fail "xlogo has no inner window"
  "$PYXORA" -window-id "$inner" 2>"$WORK/hack.err" &
  hack=$!
  sleep "$delay"
  remove_host "$((round + 1))" "$inner"
  ended_cleanly "$hack" "hack (window gone after ${delay}s)"
  # Gone before the hack found it: refused with a reason; gone later: a quiet end.
  if [ "$status" -ne 0 ]; then
    [ "$status" -eq 1 ] && grep -q "^pyxora: there is no window" "$WORK/hack.err" ||
      fail "hack (window gone after ${delay}s): status $status"
  fi
  stop_host
done

# The X server killed under four programs at once.
for delay in 0.3 0.8 1.5 2.5; do
  [ -n "$XVFB_PID" ] || start_x 640x480
  start_host
  "$PYXORA" /s 2>"$WORK/saver.err" &
  saver=$!
  "$PYXORA" /p "$((top))" 2>"$WORK/preview.err" &
  preview=$!
  "$WINDOWED" 2>"$WORK/windowed.err" &
  windowed=$!
  "$PYXORA" -window-id "$inner" 2>"$WORK/hack.err" &
  hack=$!
  # Killed under running programs, not under ones still starting on a loaded machine.
  wait_window_of "$saver" >/dev/null
  wait_window_of "$windowed" >/dev/null
  sleep "$delay"
  alive "$saver" && alive "$preview" && alive "$windowed" && alive "$hack" ||
    fail "a program ended before the server went (after ${delay}s)"
  kill -KILL "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
  for what in saver preview windowed hack; do
    pid=${!what}
    ended_cleanly "$pid" "$what (server killed after ${delay}s)"
    [ "$status" -ne 0 ] || fail "$what (server killed after ${delay}s): status 0 for a lost display"
    grep -q "^pyxora: lost the connection to the X display" "$WORK/$what.err" ||
      fail "$what (server killed after ${delay}s) did not say so: $(cat "$WORK/$what.err")"
  done
  stop_host
done
echo ok
