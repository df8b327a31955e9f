# Pyxora.exe (no Pyxora.scr beside it) is the windowed application: maximised without a
# caption, animating; Escape ends it. With Adv_WinResize "1" it has the caption.
source "$(dirname "$0")/lib.sh" "$1"
start_x 800x600
setting General AnimationType 4

wine "$BUILD/windowed/Pyxora.exe" /s 2>"$WORK/app.err" &
app=$!
window=$(wait_window_of "$app")
sleep 2
screenshot "$WORK/app.png"
[ "$(lit_pixels "$WORK/app.png" 800x600+0+0)" -gt 100 ] || fail "the windowed application draws nothing"
xdotool search --name "^PXRA:Pyxora 3.2\$" >/dev/null 2>&1 && fail "a saver window opened instead"
xdotool windowactivate "$window" 2>/dev/null || true
xdotool key Escape
wait_gone "$app" 3 || fail "Escape did not end the windowed application"

setting Advanced Adv_WinResize 1
wine "$BUILD/windowed/Pyxora.exe" 2>"$WORK/app2.err" &
app=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
xdotool key Escape
wait_gone "$app" 3 || fail "Escape did not end the resizable windowed application"
