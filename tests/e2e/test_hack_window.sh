# The hack's own targets: "-window-id ID" draws into another client's window and
# nowhere else, maps no window of its own, and ends quietly within a second when that
# window is destroyed, or by the signal on SIGTERM or SIGINT; "-root" draws into
# $XSCREENSAVER_WINDOW when set, else the root window; with no target it opens its own
# window, shows the frame rate with --fps and closes on Escape. Ids that name no window, and unknown options, are
# refused clearly.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
setting General AnimationType 3

for args in "-window-id 0" "-window-id abc" "-window-id" "-window-id 4294967296" "-window-id 0x7fffff01" "-x" "-v"; do
  status=0
  # shellcheck disable=SC2086
  timeout 5 "$PYXORA" $args 2>"$WORK/bad.err" || status=$?
  [ "$status" -eq 1 ] || [ "$status" -eq 2 ] || fail "'$args' ended with status $status"
  [ "$(wc -l <"$WORK/bad.err")" -eq 1 ] && grep -q "^pyxora: " "$WORK/bad.err" || fail "'$args' did not say what is wrong"
  [ "$args" != "-window-id 0x7fffff01" ] || grep -q "no window 0x7fffff01" "$WORK/bad.err" ||
    fail "a missing window is not named: $(cat "$WORK/bad.err")"
done
# Display hacks answer -help and -version, and open nothing for them.
usage=$(timeout 5 "$PYXORA" -help) && [[ "$usage" == "Usage: pyxora "* ]] || fail "-help printed no usage"
[ "$(timeout 5 "$PYXORA" -version)" = "$(timeout 5 "$PYXORA" --version)" ] || fail "-version differs from --version"

top_level_windows() { xwininfo -root -children | grep -c '^ *0x' || true; }

# xlogo draws its logo in a child window of its top-level one: that child is the host.
start_host() {
  xlogo -geometry 300x200+100+100 2>/dev/null &
  logo=$!
  local top
  top=$(wait_window xlogo)
  host=$(xwininfo -id "$top" -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*300x200+0+0.*/\1/p' | head -n1)
  [ -n "$host" ] || fail "xlogo has no 300x200 child window"
  sleep 0.3
  screenshot "$WORK/before.png"
}

# Pixels lit and moving inside the host (300x200 at its place on the screen), and
# nothing changed around it.
check_draws_only_inside() {
  local what="$1" info x y
  info=$(xwininfo -id "$host")
  x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
  sleep 1
  screenshot "$WORK/a.png"
  sleep 0.3
  screenshot "$WORK/b.png"
  [ "$(lit_pixels "$WORK/b.png" "300x200+$x+$y")" -gt 200 ] || fail "$what: too few pixels lit inside the host"
  [ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" "300x200+$x+$y")" -gt 0 ] || fail "$what: the animation does not move"
  for region in "640x$y+0+0" "640x$((480 - y - 200))+0+$((y + 200))" "${x}x200+0+$y" "$((640 - x - 300))x200+$((x + 300))+$y"; do
    [ "$(pixels_differing "$WORK/before.png" "$WORK/b.png" "$region")" -eq 0 ] || fail "$what: drawn outside the host ($region)"
  done
}

start_host
windows=$(top_level_windows)
"$PYXORA" -window-id "$((host))" 2>"$WORK/hack.err" &
hack=$!
check_draws_only_inside "-window-id (decimal)"
[ "$(top_level_windows)" -eq "$windows" ] || fail "the hack made a window of its own"
xwininfo -id "$host" -children | grep -q "0 children" || fail "the hack put a window inside the host"
xdotool windowkill "$(wait_window xlogo)"
wait_gone "$hack" 1 || fail "the hack outlived its window by more than a second"
status=0; wait "$hack" || status=$?
[ "$status" -eq 0 ] || fail "the hack ended with status $status when its window went"
[ ! -s "$WORK/hack.err" ] || fail "messages on stderr"

# Hex id, -root with the daemon's variable pointing at the host; SIGTERM and SIGINT.
for signal in TERM INT; do
  start_host
  if [ "$signal" = TERM ]; then
    "$PYXORA" -window-id "$host" -effect sparklers 2>"$WORK/hack.err" &
  else
    XSCREENSAVER_WINDOW="$host" "$PYXORA" -root -delay 20000 2>"$WORK/hack.err" &
  fi
  hack=$!
  check_draws_only_inside "SIG$signal run"
  kill -"$signal" "$hack"
  wait_gone "$hack" 1 || fail "SIG$signal did not end the hack within a second"
  # Ended by the signal itself, as the daemon expects of a hack (128 + its number).
  status=0; wait "$hack" || status=$?
  [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: status $status"
  [ ! -s "$WORK/hack.err" ] || fail "SIG$signal: messages on stderr"
  kill "$logo"; wait "$logo" 2>/dev/null || true
done

# -root with no daemon: the root window itself.
wait_no_window xlogo || fail "xlogo did not go"
(unset XSCREENSAVER_WINDOW; exec "$PYXORA" -root 2>"$WORK/root.err") &
hack=$!
sleep 1
screenshot "$WORK/root.png"
[ "$(lit_pixels "$WORK/root.png" 640x480+0+0)" -gt 200 ] || fail "-root drew nothing on the root window"
[ "$(top_level_windows)" -eq 0 ] || fail "-root made a window of its own"
kill -TERM "$hack"
wait_gone "$hack" 1 || fail "-root outlived SIGTERM"
xsetroot -solid black 2>/dev/null || true

# "--fps" alone is the hack's -fps: a window of its own with the frame rate at its
# bottom left, the process's pid on it; Escape closes it.
"$PYXORA" --fps 2>"$WORK/own.err" &
hack=$!
own=$(wait_window Pyxora)
[ "$(xprop -id "$own" _NET_WM_PID)" = "_NET_WM_PID(CARDINAL) = $hack" ] || fail "_NET_WM_PID: $(xprop -id "$own" _NET_WM_PID)"
sleep 1.5
screenshot "$WORK/own.png"
[ "$(lit_pixels "$WORK/own.png" 640x400+0+0)" -gt 200 ] || fail "-window drew nothing"
[ "$(colour_pixels "$WORK/own.png" 100x24+0+456 FFFFFF)" -gt 40 ] || fail "no frame-rate readout at the bottom left"
xdotool mousemove 320 240 key Escape
wait_gone "$hack" 1 || fail "Escape did not close the hack's window"
[ ! -s "$WORK/own.err" ] || fail "-window: messages on stderr"
echo ok
