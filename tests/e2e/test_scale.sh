# At a scale factor of 2 the framebuffer has the window's size in device pixels and a
# particle lights one device pixel: a seeded saver shows exactly the pixels it shows
# at a factor of 1 (no 2x2 blocks), and the widget test reads the framebuffer's size.
source "$(dirname "$0")/lib.sh" "$1"
GUI_TESTS="$(dirname "$PYXORA")/gui_tests"
start_x 800x600
setting General AnimationType 4
setting Advanced Adv_TimeDelay 999  # one frame a second: both runs are caught on the same frame

shot() {
  QT_SCALE_FACTOR=$1 PYXORA_SEED=3 "$PYXORA" /s 2>>"$WORK/saver.err" &
  local saver=$!
  wait_window "PXRA:Pyxora 3.2" >/dev/null
  sleep 2.5
  screenshot "$2"
  kill "$saver"
  wait "$saver" 2>/dev/null || true
}
shot 1 "$WORK/scale1.png"
shot 2 "$WORK/scale2.png"
lit=$(lit_pixels "$WORK/scale1.png" 800x600+0+0)
[ "$lit" -gt 50 ] || fail "only $lit pixels lit"
differing=$(pixels_differing "$WORK/scale1.png" "$WORK/scale2.png" 800x600+0+0)
[ "$differing" -eq 0 ] || fail "$differing pixels differ between scale 1 and scale 2"

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 PYXORA_EXPECT_RATIO=2 "$GUI_TESTS" --gtest_filter='DevicePixels*' \
  >"$WORK/gui.out" 2>"$WORK/gui.err" || { cat "$WORK/gui.out" >&2; fail "the framebuffer test failed at scale 2"; }
grep -q '\[  PASSED  \] 1 test' "$WORK/gui.out" || { cat "$WORK/gui.out" >&2; fail "the framebuffer test did not run"; }
echo "scale: ok"
