# The companion windows reached from the Properties window's menus, as a person opens
# them with the keyboard: Advanced Settings writes its values on OK and nothing on
# Escape; the sound window's Play and File need a chosen item, and OK writes its keys;
# the diagnostics draw their circle; the about window's miniature moves and closes
# with Escape.
source "$(dirname "$0")/lib.sh" "$1"
start_x 1280x1024
setting General AnimationType 4
setting General ResetSettings 1  # the welcome of a first run was seen

"$PYXORA" /c 2>"$WORK/props.err" &
props=$!
id=$(wait_window "Pyxora Properties")
# Opens a menu item by its access keys in the Properties window; prints the new window.
open_item() {
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  xdotool key "$1"
  sleep 0.3
  xdotool key "$2"
  wait_window "$3"
}
close_with() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key "$2"
  wait_no_window "$3" || fail "'$3' did not close with $2"
}

advanced=$(open_item alt+e a "Advanced Settings")
close_with "$advanced" Escape "Advanced Settings"
[ "$("$PYXORA" --settings get Advanced Adv_TimeDelay 2>/dev/null || true)" = "" ] || fail "Escape in Advanced Settings wrote"
advanced=$(open_item alt+e a "Advanced Settings")
close_with "$advanced" Return "Advanced Settings"
[ "$("$PYXORA" --settings get Advanced Adv_TimeDelay)" = 40 ] || fail "OK in Advanced Settings did not write the frame delay"
[ "$("$PYXORA" --settings get Advanced Adv_EffectFPC)" = 0 ] || fail "OK in Advanced Settings did not write the cycle switch"

# Play and File with no effect type chosen say so each time: the focus the message gives
# back to the list selects nothing.
setting SoundFX SoundFX_ON 1
setting SoundFX Fire_Launch /kept/launch.wav
sounds=$(open_item alt+e o "Fireworks Sound Effects")
for button in alt+p alt+p alt+f; do
  xdotool windowfocus --sync "$sounds" 2>/dev/null || true
  xdotool key "$button"
  message=$(wait_window Pyxora)
  close_with "$message" Return Pyxora
done
close_with "$sounds" Return "Fireworks Sound Effects"
[ "$("$PYXORA" --settings get SoundFX Fire_Launch)" = /kept/launch.wav ] || fail "the sound window changed Launch's file"
[ "$("$PYXORA" --settings get SoundFX SoundFX_ON)" = 1 ] || fail "OK in the sound window did not write"

diagnostics=$(open_item alt+h d "System Diagnostics")
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$diagnostics")"
screenshot "$WORK/diag.png"
[ "$(lit_pixels "$WORK/diag.png" "${WIDTH}x$((HEIGHT / 2))+$X+$Y")" -gt 0 ] || fail "no diagnostics window on screen"
[ "$(colour_pixels "$WORK/diag.png" "${WIDTH}x${HEIGHT}+$X+$Y" FFFFFF)" -gt 100 ] || fail "the circle was not drawn"
close_with "$diagnostics" Escape "System Diagnostics"

about=$(open_item alt+h a "About Pyxora")
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$about")"
screenshot "$WORK/about1.png"
sleep 0.5
screenshot "$WORK/about2.png"
[ "$(pixels_differing "$WORK/about1.png" "$WORK/about2.png" "$((WIDTH / 2))x${HEIGHT}+$X+$Y")" -gt 0 ] ||
  fail "the about window's miniature does not move"
close_with "$about" Escape "About Pyxora"

alive "$props" || fail "the Properties window ended"
sleep 0.3
xdotool windowfocus --sync "$id" 2>/dev/null || true
xdotool key Escape
wait_gone "$props" 3 || fail "the program did not end with the Properties window"
echo "ok"
