# The settings live in the registry (as --help says): "--settings set" is read back by
# "reg query", and a value set with "reg add" is what the saver runs (its message, in the
# chosen hue).
source "$(dirname "$0")/lib.sh" "$1"
start_x 800x600

wine "$PYXORA" --settings set General AnimationType 4 || fail "--settings set failed"
[ "$(stored General AnimationType)" = 4 ] || fail "reg query does not show AnimationType 4"
[ "$(wine "$PYXORA" --settings get General AnimationType | tr -d '\r')" = 4 ] || fail "--settings get does not read it back"
wine "$PYXORA" --settings get General NoSuchKey >/dev/null && fail "an absent key did not exit 1"
# --help tells a Windows user where the settings are, not an X11 user.
wine "$PYXORA" --help | tr -d '\r' | grep -qF 'HKEY_CURRENT_USER\SOFTWARE\Pyxora\PXRA_SS' || fail "--help does not name the registry"

setting Advanced LockMessage "Back at three"
setting Advanced Adv_FontHueV 120
setting Advanced Adv_FontSize 40
pyxora /s 2>"$WORK/saver.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
sleep 2
screenshot "$WORK/saver.png"
# Hue 120 at the floor of 55: pure green text at the top centre, nowhere near the bottom.
[ "$(colour_pixels "$WORK/saver.png" 400x80+200+0 37FF37)" -gt 50 ] || fail "the message from the registry is not shown"
xdotool key a
wait_gone "$saver" 3 || fail "the saver did not end"
