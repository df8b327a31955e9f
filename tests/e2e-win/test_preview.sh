# "/p HWND": the preview draws inside a window of another program (preview_host.exe, a
# stand-in for the Screen Saver Settings) and nowhere else, and ends within a second once
# that window is destroyed. A handle that names no window ends it at once.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
setting General AnimationType 4

timeout 10 wine "$PYXORA" /p 12345 || fail "/p with no such window did not end"

wine "$BUILD/preview_host.exe" 40 >"$WORK/host.txt" 2>"$WORK/host.err" &
for _ in $(seq 100); do [ -s "$WORK/host.txt" ] && break; sleep 0.1; done
handle=$(tr -d '\r' <"$WORK/host.txt")
[ -n "$handle" ] || fail "the host window gave no handle: $(cat "$WORK/host.err")"
wait_window "Preview Host" >/dev/null
screenshot "$WORK/before.png"
pyxora /p "$handle" 2>"$WORK/preview.err" &
preview=$!
# The child window first covers the host's grey; only then do two frames tell whether it
# draws (the grey turning into the preview is no motion).
shown=0
for _ in $(seq 100); do
  screenshot "$WORK/a.png"
  [ "$(pixels_differing "$WORK/before.png" "$WORK/a.png" 300x200+100+100)" -gt 0 ] && { shown=1; break; }
  sleep 0.2
done
[ "$shown" = 1 ] || fail "the preview window did not appear in its host"
sleep 1
screenshot "$WORK/a.png"
moving=0
for _ in $(seq 20); do
  sleep 0.5
  screenshot "$WORK/b.png"
  [ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" 300x200+100+100)" -gt 0 ] && { moving=1; break; }
done
[ "$moving" = 1 ] || fail "the preview does not move"
for region in 640x100+0+0 640x180+0+300 100x200+0+100 240x200+400+100; do
  [ "$(pixels_differing "$WORK/before.png" "$WORK/b.png" "$region")" -eq 0 ] || fail "drawn outside the host ($region)"
done
# The host destroys its window 40 s after it started; the preview lives until then.
for _ in $(seq 400); do
  xdotool search --onlyvisible --name "^Preview Host\$" >/dev/null 2>&1 || break
  alive "$preview" || fail "the preview ended before its host window"
  sleep 0.1
done
wait_gone "$preview" 1 || fail "the preview outlived its host window by more than a second"
