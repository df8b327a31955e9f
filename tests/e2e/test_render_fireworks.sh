# Headless rendering of the fireworks from the command line: no display needed. The
# PNGs are read back from disk: sparks lit in plausible numbers, every colour a grey
# (trails, scintillators, decaying stars) or a hue of the default wheel (one channel
# 255, one 55); the same seed gives the same file; every theme renders a picture of
# its own; a preset outside 1..13 is one line and exit 2, and writes nothing.
source "$(dirname "$0")/lib.sh" "$1"
unset DISPLAY
cd "$WORK"

render() { "$PYXORA" --render fireworks --frames 400 --size 640x480 --seed 1 "$@"; }

# Prints "WIDTH HEIGHT LIT"; fails on a colour that is neither a grey nor on the wheel.
inspect() {
  local size
  size=$(identify -format '%w %h' "$1") || return 1
  png_colours "$1" | awk -v size="$size" '
    { lo = $2 < $3 ? $2 : $3; lo = lo < $4 ? lo : $4; hi = $2 > $3 ? $2 : $3; hi = hi > $4 ? hi : $4
      if (lo != hi && !(lo == 55 && hi == 255)) { print "colour " $2 "," $3 "," $4 " is neither a grey nor a hue" > "/dev/stderr"; bad = 1 }
      lit += $1 }
    END { if (bad) exit 1; print size, lit + 0 }'
}

render --out a.png || fail "render exited with $?"
read -r width height lit < <(inspect a.png) || fail "a.png does not read back"
[ "$width" = 640 ] && [ "$height" = 480 ] || fail "size ${width}x${height}"
[ "$lit" -ge 200 ] && [ "$lit" -le 30000 ] || fail "$lit lit pixels"

render --out b.png || fail "second render exited with $?"
cmp -s a.png b.png || fail "the same seed gave different files"

for theme in $(seq 1 13); do
  render --preset "$theme" --size 400x300 --out "theme$theme.png" || fail "theme $theme exited with $?"
  read -r _ _ lit < <(inspect "theme$theme.png") || fail "theme $theme does not read back"
  [ "$lit" -ge 10 ] || fail "theme $theme lit only $lit pixels"
done
[ "$(md5sum theme*.png | cut -d' ' -f1 | sort -u | wc -l)" -eq 13 ] || fail "two themes gave the same picture"

for preset in 14 0; do
  status=0
  render --preset "$preset" --out c.png 2>err || status=$?
  [ "$status" -eq 2 ] || fail "preset $preset exited with $status"
  [ "$(wc -l <err)" -eq 1 ] && grep -q "preset" err || fail "unclear message: $(cat err)"
  [ ! -e c.png ] || fail "preset $preset still wrote a file"
done
echo ok
