# The windows around the Properties window, as a Windows user reaches them: the preview
# draws in its box and stops from its button and from Escape; Advanced refuses cycling
# without an effect and writes its keys in order; the sounds, diagnostics, about and
# credits windows open from their menus with their texts and close with Escape; the file
# dialog saves a template (with its default extension) and opens it again; the welcome
# window greets a first run. $SCREENSHOTS (a folder) keeps a picture of every window.
source "$(dirname "$0")/lib.sh" "$1"
# At 200 % the Properties window needs a larger screen.
start_x "$([ -n "${PYXORA_TEST_DPI:-}" ] && echo 2400x1600 || echo 1400x1000)"
# The scale (96 dpi is 100 %) stays in the prefix: always set it.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${PYXORA_TEST_DPI:-96}" /f >/dev/null
keys() { xdotool key --delay 60 "$@"; }
shot() { [ -n "${SCREENSHOTS:-}" ] && screenshot "$SCREENSHOTS/$1.png" || true; }
# CAPTION TEXT [NAME [system]]: the window opens showing TEXT, whole (the system's own
# message boxes are the system's to lay out); its picture is kept.
opened() {
  pointer_over "$(wait_window "$1")"
  wait_text "$1" "$2"
  [ "${4:-}" = system ] || shows_whole "$1"
  shot "${3:-$(echo "$1" | tr -cd 'A-Za-z')}"
}
# Escape closes the window with this caption.
escape_closes() {
  keys Escape
  wait_no_window "$1" || fail "Escape did not close '$1'"
}
# The place of the control with this text: "left top right bottom".
place_of() { texts "$1" | awk -F'|' -v t="$2" '$2 == t { gsub(",", " ", $3); print $3; exit }'; }
class_place() { texts "$1" | awk -F'|' -v c="$2" '$1 == c { gsub(",", " ", $3); print $3; exit }'; }

# A first run: the welcome window, then the Properties window.
# The registry lists values sorted by name: the order of the writes shows in wine's trace.
WINEDEBUG=-all,trace+reg pyxora /c 2>"$WORK/registry.log" &
props=$!
opened "Pyxora" "Welcome to Pyxora 3.2." welcome
texts "Pyxora" | grep -qF 'Works on Windows 2000 (and 95, 98, NT4).' || fail "the welcome window lacks its features"
escape_closes "Pyxora"
opened "Pyxora Properties" "Display Effects Preview"
[ "$(stored General ResetSettings)" = 1 ] || fail "the first run was not marked"
P="Pyxora Properties"

# The preview: Shift+Tab thrice from the effect list reaches its button.
keys Home $(printf '%s ' Down Down Down Down) shift+Tab shift+Tab shift+Tab space
wait_text "$P" "Stop Preview"
read -r left top right bottom <<<"$(class_place "$P" PyxoraPicture)"
box="$((right - left - 8))x$((bottom - top - 8))+$((left + 4))+$((top + 4))"
moving=0
for _ in $(seq 30); do
  screenshot "$WORK/a.png"; sleep 0.3; screenshot "$WORK/b.png"
  [ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" "$box")" -gt 0 ] && { moving=1; break; }
done
[ "$moving" = 1 ] || fail "the preview does not move in its box"
[ "$(lit_pixels "$WORK/b.png" "$box")" -gt 0 ] || fail "the preview draws nothing in its box"
shot preview
texts "$P" | grep -q '^Edit|.*|disabled|' || fail "the boxes stay enabled during the preview"
keys Escape
wait_text "$P" "Display Effects Preview"
alive "$props" || fail "Escape during the preview closed the window"
screenshot "$WORK/a.png"; sleep 0.5; screenshot "$WORK/b.png"
[ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" "$box")" -eq 0 ] || fail "the preview goes on after Escape"
keys space
wait_text "$P" "Stop Preview"
keys space
wait_text "$P" "Display Effects Preview"

# Advanced: cycling with no effect ticked is refused; OK writes the keys in order.
keys alt+e a
opened "Advanced Settings" "Frames per Effect (100 - 30000):"
keys Tab Tab Tab space Return
opened "Pyxora" "Please select one or more Effects." select-effects system
keys Return
wait_no_window "Pyxora" || fail "the message did not close"
[ -z "$(stored Advanced Adv_PxraCycle)" ] || fail "Advanced wrote although it was refused"
read -r left top right bottom <<<"$(place_of "Advanced Settings" "Fireworks / All Themes:")"
xdotool mousemove "$((right - 8))" "$(((top + bottom) / 2))" click 1
keys Return
wait_no_window "Advanced Settings" || fail "OK did not close Advanced"
written=$(grep -o 'NtSetValueKey ([^,]*,L"[A-Za-z_]*"' "$WORK/registry.log" | sed 's/.*L"//; s/"$//' || true)
order=$(echo "$written" | grep -E '^(Adv_|LockMessage|FocalLength)' | tail -n 14 | paste -sd' ')
[ "$order" = "Adv_FontName LockMessage Adv_TimeDelay FocalLength Adv_FontSize Adv_FontHueV Adv_PxraCycle Adv_EffectFPC Adv_PerfMult Adv_HueStart Adv_PickPXRA Adv_WinResize Adv_MouseMove Adv_DispBackG" ] ||
  fail "Advanced wrote: $order"
[ "$(stored Advanced Adv_PickPXRA)" = 1 ] || fail "Fireworks is not the one effect ticked"

keys alt+e o
opened "Fireworks Sound Effects" "Sound On"
texts "Fireworks Sound Effects" | grep -qF 'located in your \Windows\System directory' || fail "the sound notes are not Windows'"
escape_closes "Fireworks Sound Effects"

keys alt+h d
opened "System Diagnostics" "Registry Access"
wait_text "System Diagnostics" "Windows OS Version:"
wait_text "System Diagnostics" "OK"
escape_closes "System Diagnostics"

keys alt+h a
opened "About Pyxora" "Version 3.2"
keys alt+r
opened "Credits" "&Close"
escape_closes "Credits"
escape_closes "About Pyxora"

# Save As without an extension writes night.pxt; Open reads it back; the folder is kept.
mkdir -p "$WORK/looks"
folder=$(winepath -w "$WORK/looks")
keys alt+f a
pointer_over "$(wait_window "Enter or Select Template to Save")"
shot save
xdotool type --delay 20 "$folder\\night"
keys Return
wait_no_window "Enter or Select Template to Save" || fail "the save dialog stayed open"
[ -f "$WORK/looks/night.pxt" ] || fail "night.pxt was not written"
grep -q '^Product=Pyxora' "$WORK/looks/night.pxt" || fail "night.pxt is no template"
[ "$(stored Template Path_Dir)" = "$folder" ] || fail "the template folder was not remembered: $(stored Template Path_Dir)"
keys alt+f o
pointer_over "$(wait_window "Select Template to Open")"
shot open
xdotool type --delay 20 "nothing-here.pxt"
keys Return
opened "Pyxora" "Please select an existing file." existing-file system
keys Return
wait_no_window "Pyxora" || fail "the message did not close"
keys End shift+Home
xdotool type --delay 20 "night.pxt"
keys Return
wait_no_window "Select Template to Open" || fail "the open dialog stayed open"
alive "$props" || fail "the Properties window closed"
keys Escape
wait_gone "$props" 5 || fail "Escape did not close the Properties window"
