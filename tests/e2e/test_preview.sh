# "/p ID" draws inside another program's window, sized to it, and nowhere else;
# destroying that window ends the preview within a second, quietly. Ids that name
# no window end it at once.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
setting General AnimationType 4

for args in "/p 0" "/p abc" "/p 99999999" "/p" "/p -7" "/p 4294967297"; do
  # shellcheck disable=SC2086
  timeout 5 "$PYXORA" $args 2>"$WORK/bad.err" || fail "'$args' did not end cleanly"
  [ ! -s "$WORK/bad.err" ] || fail "'$args' wrote to stderr"
done

start_logo() {
  xlogo -geometry 300x200+100+100 2>/dev/null &
  logo=$!
  host=$(wait_window xlogo)
}

start_logo
screenshot "$WORK/before.png"
"$PYXORA" /p "$host" 2>"$WORK/preview.err" &
preview=$!
for _ in $(seq 50); do
  xwininfo -id "$host" -children | grep -q "PXRA:Preview Pyxora 3.2" && break
  sleep 0.1
done
child=$(xwininfo -id "$host" -children | grep "PXRA:Preview Pyxora 3.2") || fail "no preview inside the window"
echo "$child" | grep -q "300x200+0+0" || fail "the preview does not fill its host: $child"

# The host's inner rectangle on the screen (inside its border).
info=$(xwininfo -id "$host")
x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
border=$(echo "$info" | sed -n 's/.*Border width: *//p')
x=$((x + border)) y=$((y + border))
sleep 0.5
screenshot "$WORK/a.png"
sleep 0.3
screenshot "$WORK/b.png"
[ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" "300x200+$x+$y")" -gt 0 ] || fail "the preview does not move"
# Everything around the host window is as it was.
for region in "640x$y+0+0" "640x$((480 - y - 200))+0+$((y + 200))" "${x}x200+0+$y" "$((640 - x - 300))x200+$((x + 300))+$y"; do
  [ "$(pixels_differing "$WORK/before.png" "$WORK/b.png" "$region")" -eq 0 ] || fail "drawn outside the host ($region)"
done

xdotool windowkill "$host"
wait_gone "$preview" 1 || fail "the preview outlived its host by more than a second"
[ ! -s "$WORK/preview.err" ] || fail "messages on stderr"

# The host's client ending takes its windows with it.
start_logo
"$PYXORA" /p "$host" 2>"$WORK/preview.err" &
preview=$!
sleep 1
alive "$preview" || fail "the preview ended by itself"
kill "$logo"
wait_gone "$preview" 1 || fail "the preview outlived its host's program by more than a second"
[ ! -s "$WORK/preview.err" ] || fail "messages on stderr"
echo ok
