# "/c" opens the Properties window (how soon is printed); a second "/c" brings that
# window to the front instead of opening another; the preview draws inside its box and
# goes on after the about window;
# Escape closes the window without writing; Accept writes and remembers where it stood;
# a number box takes every editing key.
# With PYXORA_SHOTS set to a folder, a picture of each effect's page is left there.
source "$(dirname "$0")/lib.sh" "$1"
start_x 1280x1024
# A key as a person presses it, into the window that has the focus.
press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key "$2"
}
setting General AnimationType 3
setting General ColorGrn 0

# The first "/c" of a user shows the welcome window before the Properties window;
# closing it keeps the stored settings.
"$PYXORA" /c 2>"$WORK/first.err" &
props=$!
welcome=$(wait_window Pyxora)
[ -z "$(xdotool search --onlyvisible --name '^Pyxora Properties$' 2>/dev/null || true)" ] ||
  fail "the Properties window came before the welcome"
press "$welcome" Escape
id=$(wait_window "Pyxora Properties")
[ "$("$PYXORA" --settings get General ResetSettings)" = 1 ] || fail "the first run was not marked done"
[ "$("$PYXORA" --settings get General AnimationType)" = 3 ] || fail "closing the welcome changed the settings"
press "$id" Escape
wait_gone "$props" 3 || fail "Escape did not close the window"

start=$(date +%s%N)
"$PYXORA" /c 2>"$WORK/props.err" &
props=$!
id=""
for _ in $(seq 500); do
  id=$(xdotool search --onlyvisible --name "^Pyxora Properties\$" 2>/dev/null | head -n1 || true)
  [ -n "$id" ] && break
  sleep 0.01
done
[ -n "$id" ] || fail "no Properties window"
echo "the Properties window showed after $(( ($(date +%s%N) - start) / 1000000 )) ms"

# Another window on top, holding the focus; a second /c raises the first window.
xlogo -geometry 400x300+100+100 2>/dev/null &
logo_pid=$!
logo=$(wait_window xlogo)
xdotool windowfocus --sync "$logo"
timeout 5 "$PYXORA" /c 2>"$WORK/second.err" || fail "the second /c did not end by itself"
[ "$(xdotool search --onlyvisible --name '^Pyxora Properties$' | wc -l)" -eq 1 ] || fail "a second window opened"
for _ in $(seq 20); do [ "$(xdotool getwindowfocus)" = "$id" ] && break; sleep 0.1; done
[ "$(xdotool getwindowfocus)" = "$id" ] || fail "the first window was not brought to the front"
top=$(xwininfo -root -children | grep -E '"(Pyxora Properties|xlogo)"' | head -n1)
echo "$top" | grep -q "Pyxora Properties" || fail "the first window is not above the other: $top"
kill "$logo_pid" 2>/dev/null || true
sleep 0.2

# The preview: the box lights up once the button is pressed, and nothing outside it changes.
eval "$(xdotool getwindowgeometry --shell "$id")"
screenshot "$WORK/still.png"
# The preview button sits above the box on the right; find it by its caption's place.
convert "$WORK/still.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$WORK/window.png"
box=$(convert "$WORK/window.png" -threshold 1% -negate -define connected-components:verbose=true \
  -define connected-components:area-threshold=50000 -connected-components 8 null: 2>/dev/null |
  awk '/320x240/ {print $2; exit}')
[ -n "$box" ] || fail "no black 320x240 preview box in the window"
bx=$(echo "$box" | cut -d+ -f2); by=$(echo "$box" | cut -d+ -f3)
xdotool mousemove $((X + bx + 160)) $((Y + by - 18)) click 1
sleep 1
screenshot "$WORK/running.png"
[ "$(lit_pixels "$WORK/running.png" "320x240+$((X + bx))+$((Y + by))")" -gt 50 ] || fail "the preview box stays dark"
[ "$(pixels_differing "$WORK/still.png" "$WORK/running.png" "1280x$((Y - 30))+0+0")" -eq 0 ] ||
  fail "the preview drew outside its window"
# The about window's miniatures, opened and closed during the preview: the preview goes
# on in its own colours (green level 0 keeps green at the hue wheel's floor, 55).
press "$id" alt+h && sleep 0.3 && xdotool key a
about=$(wait_window "About Pyxora")
sleep 0.5 && press "$about" Escape
wait_no_window "About Pyxora" || fail "the about window did not close"
area="320x240+$((X + bx))+$((Y + by))"
sleep 0.5 && screenshot "$WORK/after1.png" && sleep 0.5 && screenshot "$WORK/after2.png"
[ "$(pixels_differing "$WORK/after1.png" "$WORK/after2.png" "$area")" -gt 0 ] || fail "the preview stood still after the about window"
green=$(convert "$WORK/after2.png" -crop "$area" +repage -channel G -separate -format '%[fx:round(maxima*255)]' info:)
[ "$green" -le 55 ] || fail "the preview took the about window's colours (green up to $green)"
press "$id" Escape
sleep 0.3
alive "$props" || fail "Escape during the preview closed the window"


alive "$props" || fail "the window ended by itself"
press "$id" Escape
wait_gone "$props" 3 || fail "Escape without a preview did not close the window"
[ "$("$PYXORA" --settings get Fireworks FireWorks 2>/dev/null || true)" = "" ] || fail "Cancel wrote settings"
[ -n "$("$PYXORA" --settings get 'General\Main' WindowSize)" ] || fail "the placement was not saved"

# Accept writes every field (here the stored effect comes back as it was), with what
# the editing keys made of "Total Sparks" (3000): each key below changes the outcome.
"$PYXORA" /c 2>"$WORK/props2.err" &
props=$!
id=$(wait_window_of "$props")
sleep 0.3
press "$id" Tab
xdotool key Tab Home Delete 2 End BackSpace shift+Left ctrl+x ctrl+z ctrl+a ctrl+c End BackSpace BackSpace ctrl+v
press "$id" alt+a
wait_gone "$props" 3 || fail "Accept did not close the window"
[ "$("$PYXORA" --settings get Fireworks FireWorks)" = 12 ] || fail "Accept did not write the fields"
[ "$("$PYXORA" --settings get General AnimationType)" = 3 ] || fail "the effect was not kept"
sparks=$("$PYXORA" --settings get B-SplineSpark B_Spline_Pixels)
[ "$sparks" = 2200 ] || fail "the editing keys made $sparks of 3000, not 2200"
# Each effect's page as a person sees it at the window's default size.
if [ -n "${PYXORA_SHOTS:-}" ]; then
  for effect in 0 1 2 3 4 5; do
    setting General AnimationType $effect
    "$PYXORA" /c 2>"$WORK/shot.err" &
    shot=$!
    id=$(wait_window_of "$shot")
    sleep 0.4
    import -window "$id" "$PYXORA_SHOTS/effect$effect.png"
    press "$id" Escape
    wait_gone "$shot" 3 || fail "a Properties window did not close"
  done
fi
echo "ok"
