# A template named on the command line is stored, then the saver runs with it; a file
# that cannot be read, or is no template, leaves the settings alone, says why, and the
# saver still runs. From the shell, a template whose lines lost their CRs imports whole.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
get() { "$PYXORA" --settings get "$@"; }
setting General AnimationType 0
setting Galaxy Galaxy_Stars 1234
"$PYXORA" --settings export "$WORK/look.pxt" || fail "export failed"
setting General AnimationType 4
setting Galaxy Galaxy_Stars 99

"$PYXORA" "$WORK/look.pxt" 2>"$WORK/import.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
[ "$(get General AnimationType)" = 0 ] || fail "the selection was not imported"
[ "$(get Galaxy Galaxy_Stars)" = 1234 ] || fail "the galaxy stars were not imported"
sleep 0.3
xdotool key a
wait_gone "$saver" 5 || fail "a key did not end the saver"
[ ! -s "$WORK/import.err" ] || fail "messages on stderr"

setting Galaxy Galaxy_Stars 99
printf '# Notes\n\nGalaxy_Stars=7\n' >"$WORK/notes.pxt"
for name in missing notes; do
  reason="no such file"
  [ $name = notes ] && reason="not a Pyxora template"
  "$PYXORA" "$WORK/$name.pxt" 2>"$WORK/$name.log" &
  saver=$!
  wait_window "PXRA:Pyxora 3.2" >/dev/null
  [ "$(get Galaxy Galaxy_Stars)" = 99 ] || fail "the $name template changed the settings"
  grep -qx "pyxora: cannot import the template $WORK/$name.pxt: $reason; the saver runs with the current settings" \
    "$WORK/$name.log" || fail "no clear line on stderr: $(cat "$WORK/$name.log")"
  xdotool key a
  wait_gone "$saver" 5 || fail "a key did not end the saver"
done

# Line ends as a Linux editor or version control leaves them: LF alone, or a lone CR.
setting General AnimationType 4
setting Galaxy Galaxy_Stars 12345
"$PYXORA" --settings export "$WORK/a.pxt" || fail "export failed"
tr -d '\r' <"$WORK/a.pxt" >"$WORK/lf.pxt"
tr '\n' '\r' <"$WORK/lf.pxt" >"$WORK/cr.pxt"
for name in lf cr; do
  setting General AnimationType 0
  setting Galaxy Galaxy_Stars 5
  "$PYXORA" --settings import "$WORK/$name.pxt" || fail "the $name template did not import"
  [ "$(get General AnimationType)/$(get Galaxy Galaxy_Stars)" = 4/12345 ] || fail "the $name template read as empty"
done

# Files that are no template: one line naming the file and why, and nothing stored.
: >"$WORK/empty.pxt"
cp "$(dirname "$0")/../../README.md" "$WORK/README.md"
for file in "$WORK/README.md" "$WORK/empty.pxt"; do
  status=0; "$PYXORA" --settings import "$file" 2>"$WORK/t.err" || status=$?
  [ $status = 1 ] || fail "import of $file ended with $status"
  [ "$(cat "$WORK/t.err")" = "pyxora: cannot import the template $file: not a Pyxora template" ] ||
    fail "import of $file: $(cat "$WORK/t.err")"
  [ "$(get General AnimationType)/$(get Galaxy Galaxy_Stars)" = 4/12345 ] || fail "$file changed the settings"
done
echo "PASS"
