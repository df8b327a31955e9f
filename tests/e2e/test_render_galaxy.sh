# Headless rendering of the galaxies from the command line: no display needed. The
# PNGs are read back from disk: a galaxy of wheel-coloured stars, the same seed giving
# the same file, all sixteen themes different, the dark-matter theme hiding its galaxy,
# and a preset outside 1..16 refused with one line and exit 2.
source "$(dirname "$0")/lib.sh" "$1"
unset DISPLAY
cd "$WORK"

render() { "$PYXORA" --render galaxy --frames 200 --size 640x480 --seed 1 "$@"; }

# Prints "WIDTH HEIGHT LIT WHEEL": lit pixels, and how many of them are hues of the
# default wheel (one channel 255, one 55), the colour of a normal galaxy star.
inspect() {
  local size
  size=$(identify -format '%w %h' "$1") || return 1
  png_colours "$1" | awk -v size="$size" '
    { lo = $2 < $3 ? $2 : $3; lo = lo < $4 ? lo : $4; hi = $2 > $3 ? $2 : $3; hi = hi > $4 ? hi : $4
      lit += $1; if (lo == 55 && hi == 255) wheel += $1 }
    END { print size, lit + 0, wheel + 0 }'
}

render --out a.png || fail "render exited with $?"
read -r width height lit wheel < <(inspect a.png) || fail "a.png does not read back"
[ "$width" = 640 ] && [ "$height" = 480 ] || fail "size ${width}x${height}"
# 5000 stars with one-pixel trails and 100 ambient stars, plus bursts, comets and flashes.
[ "$lit" -ge 3000 ] && [ "$lit" -le 12000 ] || fail "$lit lit pixels for 5000 stars"
[ "$wheel" -ge $((lit * 3 / 4)) ] || fail "only $wheel of $lit pixels are galaxy-star hues"

render --out b.png || fail "second render exited with $?"
cmp -s a.png b.png || fail "the same seed gave different files"

for theme in $(seq 16); do
  render --preset "$theme" --out "theme$theme.png" || fail "theme $theme exited with $?"
  read -r _ _ lit wheel < <(inspect "theme$theme.png") || fail "theme $theme does not read back"
  if [ "$theme" = 16 ]; then
    # Black galaxy stars: only flashes, novae and ambient stars show (a palette entry or
    # two of an ambient star may match a wheel hue).
    [ "$lit" -ge 20 ] && [ "$lit" -le 2500 ] && [ "$wheel" -le $((lit / 4)) ] || fail "theme 16 shows $lit pixels, $wheel of them galaxy stars"
  else
    [ "$lit" -ge 1000 ] || fail "theme $theme lit only $lit pixels"
  fi
done
[ "$(md5sum theme*.png | cut -d' ' -f1 | sort -u | wc -l)" -eq 16 ] || fail "two themes gave the same picture"

for preset in 17 0; do
  status=0
  render --preset "$preset" --out c.png 2>err || status=$?
  [ "$status" -eq 2 ] || fail "preset $preset exited with $status"
  [ "$(wc -l <err)" -eq 1 ] && grep -q "preset" err || fail "unclear message: $(cat err)"
  [ ! -e c.png ] || fail "preset $preset still wrote a file"
done
echo ok
