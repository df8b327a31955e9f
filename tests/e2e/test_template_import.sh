# A template named on the command line is stored, then the saver runs with it; a file
# that cannot be read leaves the settings alone, says why, and the saver still runs.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
setting General AnimationType 0
setting Galaxy Galaxy_Stars 1234
"$PYXORA" --settings export "$WORK/look.pxt" || fail "export failed"
setting General AnimationType 4
setting Galaxy Galaxy_Stars 99

"$PYXORA" "$WORK/look.pxt" 2>"$WORK/import.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
[ "$("$PYXORA" --settings get General AnimationType)" = 0 ] || fail "the selection was not imported"
[ "$("$PYXORA" --settings get Galaxy Galaxy_Stars)" = 1234 ] || fail "the galaxy stars were not imported"
sleep 0.3
xdotool key a
wait_gone "$saver" 5 || fail "a key did not end the saver"
[ ! -s "$WORK/import.err" ] || fail "messages on stderr"

setting Galaxy Galaxy_Stars 99
"$PYXORA" "$WORK/missing.pxt" 2>"$WORK/missing.log" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
[ "$("$PYXORA" --settings get Galaxy Galaxy_Stars)" = 99 ] || fail "a missing template changed the settings"
grep -qx "pyxora: cannot import the template $WORK/missing.pxt: no such file; the saver runs with the current settings" \
  "$WORK/missing.log" || fail "no clear line on stderr: $(cat "$WORK/missing.log")"
xdotool key a
wait_gone "$saver" 5 || fail "a key did not end the saver"
echo "PASS"
