# /c: "Pyxora Properties" opens (a second /c only brings it forward); for each effect,
# choosing it shows its page (its first box is where Tab leads), a value typed out of
# range is clamped on leaving the box, Enter accepts and writes the registry, Escape
# cancels and writes nothing; a theme fills its preset's values.
source "$(dirname "$0")/lib.sh" "$1"
start_x 1200x800
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
# A user past the first run: the window loads from the registry and writes nothing itself.
setting General ResetSettings 1
setting General AnimationType 4

open_properties() {
  local started
  started=$(date +%s%N)
  pyxora /c 2>>"$WORK/props.err" &
  PROPS=$!
  local id
  id=$(wait_window "Pyxora Properties")
  echo "/c opened in $(( ($(date +%s%N) - started) / 1000000 )) ms"
  pointer_over "$id"
}
keys() { xdotool key --delay 40 "$@"; }
# KEY COUNT: the key that many times (none for 0).
times() { local i; for ((i = 0; i < $2; i++)); do printf '%s ' "$1"; done; }
closed() { wait_gone "$PROPS" 5 || fail "$1: the window did not close"; }

open_properties
pyxora /c 2>>"$WORK/props.err" &
second=$!
wait_gone "$second" 10 || fail "a second /c did not end"
[ "$(xdotool search --onlyvisible --name '^Pyxora Properties$' | wc -l)" = 1 ] || fail "a second /c opened another window"
keys Escape
closed "Escape"

# effect index, Tabs from the effect list to its first box, section, key of that box,
# what its lower bound makes of a typed 0, the frame's caption.
rows=(
  "0 2 Fireworks FireWorks 1 Fireworks Properties"
  "2 2 B-SplineWarp Warp_Works 1 B-Spline Warp Properties"
  "3 1 B-SplineSpark B_Spline_Splines 1 B-Spline Sparkler Properties"
  "5 3 Galaxy Galaxy_Stars 10 Galaxy Properties"
)
frames="Fireworks Properties|3D Stars \[RETIRED\]|B-Spline Warp Properties|B-Spline Sparkler Properties|Gravity Well Properties|Galaxy Properties"
for row in "${rows[@]}"; do
  read -r effect tabs section key clamped caption <<<"$row"
  chosen=$(stored General AnimationType)
  open_properties
  keys Home $(times Down "$effect")
  # Its page shows, and no other effect's.
  wait_text "Pyxora Properties" "$caption"
  shown=$(texts "Pyxora Properties" | cut -d'|' -f2 | grep -xE "$frames" | paste -sd,)
  [ "$shown" = "$caption" ] || fail "choosing $caption shows the frames: $shown"
  keys $(times Tab "$tabs") 7 Escape
  closed "$section: Escape"
  [ "$(stored "$section" "$key")" != 7 ] || fail "$section: Cancel wrote $key"
  [ "$(stored General AnimationType)" = "$chosen" ] || fail "$section: Cancel wrote the effect choice"

  open_properties
  keys Home $(times Down "$effect") $(times Tab "$tabs") 0 Tab Return
  closed "$section: Enter"
  [ "$(stored "$section" "$key")" = "$clamped" ] || fail "$section: $key is '$(stored "$section" "$key")', not $clamped"
  [ "$(stored General AnimationType)" = "$effect" ] || fail "$section: the effect choice was not written"
done

# Gravity wells: theme 3 fills its preset (emit speed 2, gravity 2500); the stars box
# (third after the theme list) is clamped to 10 even while it still has the focus.
open_properties
keys Home $(times Down 4) Tab Down Down Down Tab Tab Tab 0 Return
closed "gravity: Enter"
[ "$(stored GravityWell Grav_ESpeed)" = 2 ] || fail "the theme did not fill the emit speed"
[ "$(stored GravityWell Grav_Gravity)" = 2500 ] || fail "the theme did not fill the gravity"
[ "$(stored GravityWell Grav_Pixels)" = 10 ] || fail "the focused box was not clamped before the save"

# The stars box of the gravity wells (10 - 9999, whole numbers): letters are refused,
# every editing key works, Up steps by 10, the spinner's arrow too, and leaving clamps.
box_text() { texts "Pyxora Properties" | awk -F'|' -v l="$1" 'found { print $2; exit } $2 == l { found = 1 }'; }
expect_box() {
  for _ in $(seq 50); do [ "$(box_text "Stars (10 - 9999):")" = "$1" ] && return 0; sleep 0.1; done
  fail "after $2 the stars box shows '$(box_text "Stars (10 - 9999):")', not '$1'"
}
open_properties
keys Home $(times Down 4) Tab Tab Tab Tab
xdotool type --delay 40 '1x2.3'
expect_box 123 "typing 1x2.3"
keys Home Delete
expect_box 23 "Home Delete"
keys End BackSpace
expect_box 2 "End BackSpace"
keys ctrl+a 5 6
expect_box 56 "Ctrl+A 5 6"
keys shift+Left 7
expect_box 57 "Shift+Left 7"
keys ctrl+a ctrl+c Delete ctrl+v ctrl+v
expect_box 5757 "Ctrl+C Delete Ctrl+V Ctrl+V"
keys ctrl+a ctrl+x
expect_box "" "Ctrl+X"
keys ctrl+v
expect_box 5757 "Ctrl+V"
keys ctrl+a 5 7
keys Up
expect_box 67 "Up"
read -r left top right bottom <<<"$(texts "Pyxora Properties" | awk -F'|' 'after && $1 == "msctls_updown32" { gsub(",", " ", $3); print $3; exit } $2 == "Stars (10 - 9999):" { after = 1 }')"
xdotool mousemove "$(((left + right) / 2))" "$((top + 4))" click 1
expect_box 77 "the spinner's up arrow"
xdotool mousemove "$(((left + right) / 2))" "$((bottom - 4))" click 1 click 1 click 1 click 1 click 1 click 1 click 1
expect_box 10 "the spinner's down arrow at the bottom of the range"
keys ctrl+a 5
expect_box 5 "Ctrl+A 5"
keys Tab
expect_box 10 "leaving it at 5"
keys Escape
closed "the stars box: Escape"

# Edit, Reset Properties asks first: No keeps the fields, Yes puts back the factory
# settings (Fireworks chosen, 12 shells).
shells() { texts "Pyxora Properties" | awk -F'|' 'found { print $2; exit } $2 == "Shells (1 - 99):" { found = 1 }'; }
reset_answer() {
  keys alt+e r
  pointer_over "$(wait_window Pyxora)"
  keys "$1"
  wait_no_window Pyxora || fail "the reset question did not close on '$1'"
  pointer_over "$(wait_window "Pyxora Properties")"
}
open_properties
keys Home Tab Tab ctrl+a 5 0 Tab
reset_answer n
[ "$(shells)" = 50 ] || fail "No to the reset question changed the shells to '$(shells)'"
keys Home $(times Down 4)
reset_answer y
[ "$(shells)" = 12 ] || fail "the reset left the shells at '$(shells)', not the factory 12"
wait_text "Pyxora Properties" "Fireworks Properties"
keys Escape
closed "the reset: Escape"

# Sizable: reopened at the size it was left at (larger than its layout), its frames and
# buttons centred in it, and that size stored again when it closes. The stored size is
# the window's in twips (15 a pixel, five digits each); texts gives the client area.
client() { texts "Pyxora Properties" | awk -F'|' 'NR == 1 { split($3, r, ","); print r[3] - r[1], r[4] - r[2], r[1] }'; }
cancel_left() { texts "Pyxora Properties" | awk -F'|' '$2 == "Cancel" { split($3, r, ","); print r[1] }'; }
open_properties
# The layout's own size, once two readings agree.
last=""
for _ in $(seq 50); do
  read -r width height left <<<"$(client)"
  cancel=$(($(cancel_left) - left))
  [ "$width,$height,$cancel" = "$last" ] && break
  last="$width,$height,$cancel"
  sleep 0.1
done
keys Escape
closed "the layout's size: Escape"
placed=$(stored 'General\Main' WindowSize)
larger="$(printf '%05d%05d%05d%05d' 450 300 $((10#${placed:10:5} + 200 * 15)) $((10#${placed:15:5} + 100 * 15)))"
setting 'General\Main' WindowSize "$larger"
open_properties
# Wine may still be settling the window's size with the X server: give it a moment.
for _ in $(seq 50); do
  read -r now_width now_height left <<<"$(client)"
  moved=$(($(cancel_left) - left))
  [ "${now_width}x$now_height,$moved" = "$((width + 200))x$((height + 100)),$((cancel + 100))" ] && break
  sleep 0.1
done
[ "${now_width}x$now_height" = "$((width + 200))x$((height + 100))" ] ||
  fail "reopened with a client area of ${now_width}x$now_height, not the stored $((width + 200))x$((height + 100))"
[ "$moved" = "$((cancel + 100))" ] || fail "the Cancel button is $moved px into the window, not $((cancel + 100))"
keys Escape
closed "the larger size: Escape"
[ "$(stored 'General\Main' WindowSize)" = "$larger" ] || fail "closing stored $(stored 'General\Main' WindowSize), not $larger"
