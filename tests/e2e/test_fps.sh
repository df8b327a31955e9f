# --fps: the saver and the windowed application draw their frame rate in the top left
# corner; without it the corner stays as the effect leaves it.
source "$(dirname "$0")/lib.sh" "$1"
start_x 800x600
setting General AnimationType 1  # the retired effect draws nothing: only the readout can light the corner

corner_after() {
  "$@" 2>>"$WORK/run.err" &
  local pid=$!
  wait_window_of "$pid" >/dev/null
  sleep 1.5
  screenshot "$WORK/corner.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  lit_pixels "$WORK/corner.png" 220x24+0+0
}
[ "$(corner_after "$PYXORA" --fps /s)" -gt 30 ] || fail "the saver shows no frame rate"
[ "$(corner_after "$PYXORA" /s)" -eq 0 ] || fail "the saver shows something in the corner without --fps"
[ "$(corner_after "$(dirname "$PYXORA")/pyxora-window" --fps)" -gt 30 ] || fail "the windowed application shows no frame rate"
echo "fps: ok"
