# Two monitors: the saver hides the desktop on both (the effect on the primary, black
# on the other), a key, a click or the fourth mouse move over either ends it, the
# pointer is hidden on both, and a monitor removed or added while it runs is released
# or covered. The desktop-background mode stays on the primary monitor.
source "$(dirname "$0")/lib.sh" "$1"
start_x_two_monitors
setting General AnimationType 4
DESKTOP=123456
xlogo -geometry 2560x720+0+0 -bg "#$DESKTOP" -fg "#$DESKTOP" 2>/dev/null &
sleep 1
screenshot "$WORK/desktop.png"
[ "$(colour_pixels "$WORK/desktop.png" 1280x720+1280+0 "$DESKTOP")" -gt 0 ] || fail "no desktop to hide"

saver_windows() { xdotool search --onlyvisible --name '^PXRA:Pyxora 3.2$' 2>/dev/null | wc -l; }
start_saver() {
  PYXORA_SEED=3 "$PYXORA" /s 2>>"$WORK/saver.err" &
  saver=$!
  wait_window "PXRA:Pyxora 3.2" >/dev/null
  for _ in $(seq 50); do [ "$(saver_windows)" -eq 2 ] && break; sleep 0.1; done
  [ "$(saver_windows)" -eq 2 ] || fail "$(saver_windows) saver windows on two monitors"
  sleep 1
}

start_saver
screenshot "$WORK/saver.png"
for monitor in 1280x720+0+0 1280x720+1280+0; do
  [ "$(colour_pixels "$WORK/saver.png" "$monitor" "$DESKTOP")" -eq 0 ] || fail "desktop pixels show on $monitor"
done
[ "$(lit_pixels "$WORK/saver.png" 1280x720+0+0)" -gt 100 ] || fail "no effect on the primary monitor"
[ "$(lit_pixels "$WORK/saver.png" 1280x720+1280+0)" -eq 0 ] || fail "the other monitor is not black"
xdotool mousemove 1900 300
sleep 0.3
pointer_visible && fail "the pointer shows on the other monitor"
xdotool key a
wait_gone "$saver" 5 || fail "a key with the pointer on the other monitor did not end the saver"

start_saver
xdotool mousemove 1900 400 click 1
wait_gone "$saver" 5 || fail "a click on the other monitor did not end the saver"

xdotool mousemove 1900 300
start_saver
nudge 5 0
nudge 5 0
nudge 5 0
sleep 0.3
alive "$saver" || fail "three mouse moves over the other monitor ended the saver"
nudge 5 0
wait_gone "$saver" 5 || fail "the fourth mouse move over the other monitor did not end the saver"

# Monitors going and coming while it runs.
start_saver
xrandr --delmonitor RIGHT >/dev/null
for _ in $(seq 30); do [ "$(saver_windows)" -eq 1 ] && break; sleep 0.1; done
[ "$(saver_windows)" -eq 1 ] || fail "a removed monitor kept its window"
xrandr --setmonitor RIGHT 1280/338x720/190+1280+0 none >/dev/null
for _ in $(seq 30); do [ "$(saver_windows)" -eq 2 ] && break; sleep 0.1; done
[ "$(saver_windows)" -eq 2 ] || fail "an added monitor was not covered"
alive "$saver" || fail "the saver ended when monitors changed"
kill "$saver"
wait "$saver" 2>/dev/null || true

# On the desktop background only the primary monitor has the saver.
setting Advanced Adv_DispBackG 1
PYXORA_SEED=3 "$PYXORA" /s 2>>"$WORK/saver.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
sleep 1
[ "$(saver_windows)" -eq 1 ] || fail "desktop-background mode covered the other monitor"
kill "$saver"
wait "$saver" 2>/dev/null || true
[ ! -s "$WORK/saver.err" ] || fail "messages on stderr"
echo "monitors: ok"
