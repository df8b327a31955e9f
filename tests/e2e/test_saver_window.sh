# The saver opens one full-screen window under its caption; a second start opens
# nothing while it runs; a key ends it.
source "$(dirname "$0")/lib.sh" "$1"
start_x 800x600

"$PYXORA" /s 2>"$WORK/err" &
saver=$!
id=$(wait_window "PXRA:Pyxora 3.2")
geometry=$(xdotool getwindowgeometry "$id")
echo "$geometry" | grep -q "Geometry: 800x600" || fail "not full screen: $geometry"

timeout 5 "$PYXORA" /s || fail "a second saver did not exit at once"
alive "$saver" || fail "the first saver ended"
[ "$(xdotool search --onlyvisible --name '^PXRA:Pyxora 3.2$' | wc -l)" -eq 1 ] || fail "two saver windows"

xdotool key a
wait_gone "$saver" 5 || fail "a key did not end the saver"
echo ok
