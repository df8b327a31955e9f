# Headless rendering of the two B-spline effects from the command line: no display,
# exit 0 and a PNG for good requests, the same bytes for the same seed, one clear
# line and exit 2 for bad ones. (Pixel checks live in the core tests.)
source "$(dirname "$0")/lib.sh" "$1"
unset DISPLAY

render() { "$PYXORA" --render "$@" 2>"$WORK/err"; }
is_png() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ]; }

for effect in sparklers warp; do
  render "$effect" --out "$WORK/$effect-a.png" --frames 60 --size 320x240 --seed 9 || fail "$effect: exit $?: $(cat "$WORK/err")"
  is_png "$WORK/$effect-a.png" || fail "$effect: not a PNG"
  render "$effect" --out "$WORK/$effect-b.png" --frames 60 --size 320x240 --seed 9 || fail "$effect: second run failed"
  cmp -s "$WORK/$effect-a.png" "$WORK/$effect-b.png" || fail "$effect: the same seed gave different files"
  render "$effect" --out "$WORK/$effect-c.png" --frames 60 --size 320x240 --seed 10 || fail "$effect: third run failed"
  cmp -s "$WORK/$effect-a.png" "$WORK/$effect-c.png" && fail "$effect: another seed gave the same file"
done

# Stored settings are used, and absurd ones are survived.
setting B-SplineWarp Warp_Type 99
setting B-SplineSpark B_Spline_Pixels -5
render warp --out "$WORK/odd-warp.png" --frames 5 --size 64x48 || fail "warp with an odd stored type: exit $?"
render sparklers --out "$WORK/odd-sparklers.png" --frames 5 --size 64x48 || fail "sparklers with odd counts: exit $?"

set +e
render sparklers --out "$WORK/x.png" --frames 0
status=$?
set -e
[ "$status" -eq 2 ] || fail "a frame count of 0 gave exit $status"
[ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "expected one line of error: $(cat "$WORK/err")"
echo ok
