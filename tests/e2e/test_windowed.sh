# The windowed application: centred when never placed, F5 restarts it with fresh
# settings, a click opens the Properties window and freezes the animation until it
# closes, Escape ends it, and it reopens where it was. Not resizable, it fills the
# screen without a caption or a pointer.
source "$(dirname "$0")/lib.sh" "$1"
start_x 800x600
APP="$(dirname "$PYXORA")/pyxora-window"
setting General AnimationType 4
setting General ResetSettings 1  # the welcome of a first run was seen
setting Advanced Adv_WinResize 1
CYAN=37FFFF  # the message colour at the default hue, 180

"$APP" 2>"$WORK/app.err" &
app=$!
id=$(wait_window "PXRA:Pyxora 3.2")
geometry=$(xdotool getwindowgeometry "$id")
echo "$geometry" | grep -q "Position: 80,60" || fail "a window never placed is not centred: $geometry"
echo "$geometry" | grep -q "Geometry: 640x480" || fail "unexpected size: $geometry"
sleep 0.4
screenshot "$WORK/a.png"
sleep 0.2
screenshot "$WORK/b.png"
[ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" 640x480+80+60)" -gt 0 ] || fail "the picture does not move"

xdotool windowmove --sync "$id" 40 50
# A star of hue 180 has the message's colour too: a few such pixels are stars, a message
# is more than ten (as below).
[ "$(colour_pixels "$WORK/b.png" 640x60+80+60 $CYAN)" -le 10 ] || fail "a message with none set"
setting Advanced LockMessage "Hello"
xdotool mousemove 300 300
xdotool key F5
sleep 0.6
alive "$app" || fail "F5 ended the program"
[ "$("$PYXORA" --settings get General WindowSize)" = 00600007500960007200 ] || fail "F5 did not save the placement"
screenshot "$WORK/c.png"
[ "$(colour_pixels "$WORK/c.png" 200x50+260+50 $CYAN)" -gt 10 ] || fail "F5 did not re-read the message"

xdotool click 1
props=$(wait_window "Pyxora Properties")
sleep 0.3
screenshot "$WORK/d.png"
sleep 0.3
screenshot "$WORK/e.png"
[ "$(pixels_differing "$WORK/d.png" "$WORK/e.png" 640x480+40+50)" -eq 0 ] || fail "the animation runs behind the Properties window"
xdotool windowfocus --sync "$props"
xdotool key Escape
wait_no_window "Pyxora Properties" || fail "the Properties window did not close"
sleep 0.4
screenshot "$WORK/f.png"
sleep 0.2
screenshot "$WORK/g.png"
[ "$(pixels_differing "$WORK/f.png" "$WORK/g.png" 640x480+40+50)" -gt 0 ] || fail "the animation did not restart"

xdotool windowfocus --sync "$id"
xdotool key Escape
wait_gone "$app" 2 || fail "Escape did not end the program"
[ ! -s "$WORK/app.err" ] || fail "messages on stderr"

"$APP" 2>>"$WORK/later.err" &
app=$!
id=$(wait_window "PXRA:Pyxora 3.2")
geometry=$(xdotool getwindowgeometry "$id")
echo "$geometry" | grep -q "Position: 40,50" ||
  fail "did not reopen where it was closed: $geometry, saved $("$PYXORA" --settings get General WindowSize)"
xdotool windowfocus --sync "$id"
xdotool key Escape
wait_gone "$app" 2 || fail "Escape did not end the program"

# Pointer and caption, on a still picture.
setting General AnimationType 1
xdotool mousemove 300 300
"$APP" 2>>"$WORK/later.err" &
app=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
sleep 0.4
pointer_visible || fail "the resizable window hides the pointer"
xdotool key Escape
wait_gone "$app" 2 || fail "Escape did not end the program"

setting Advanced Adv_WinResize 0
"$APP" 2>>"$WORK/later.err" &
app=$!
id=$(wait_window_of "$app")
sleep 0.4
geometry=$(xdotool getwindowgeometry "$id")
echo "$geometry" | grep -q "Geometry: 800x600" || fail "not maximised: $geometry"
[ -z "$(xdotool getwindowname "$id")" ] || fail "the maximised window has a caption"
if pointer_visible; then fail "the maximised window shows the pointer"; fi
xdotool key Escape
wait_gone "$app" 2 || fail "Escape did not end the maximised program"
[ ! -s "$WORK/later.err" ] || fail "messages on stderr"
echo ok
