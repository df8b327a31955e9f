# Frames sent straight to the X server show exactly what the framebuffer holds, on a
# server with shared memory (MIT-SHM) and on one without it.
source "$(dirname "$0")/lib.sh" "$1"
GUI_TESTS="$(dirname "$PYXORA")/gui_tests"
[ -x "$GUI_TESTS" ] || fail "no gui_tests beside $PYXORA"

for transfer in shm requests; do
  extra=()
  [ "$transfer" = requests ] && extra=(-extension MIT-SHM)
  XVFB_ARGS="${extra[*]}" start_x 640x480
  QT_QPA_PLATFORM=xcb PYXORA_EXPECT_TRANSFER=$transfer "$GUI_TESTS" --gtest_filter='X11Present*' \
    >"$WORK/$transfer.out" 2>"$WORK/$transfer.err" || { cat "$WORK/$transfer.out" >&2; fail "$transfer: the tests failed"; }
  grep -q '\[  PASSED  \] 1 test' "$WORK/$transfer.out" || { cat "$WORK/$transfer.out" >&2; fail "$transfer: the test did not run"; }
  stop_x
done
echo "present: ok"
