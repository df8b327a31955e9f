# Headless rendering of the gravity wells from the command line: no display needed.
# The PNGs are read back from disk: stars lit in plausible numbers, every colour a hue
# of the default wheel (one channel 255, one 55) or a white attractor circle; the same
# seed gives the same file; every theme renders; a missing theme is one line and exit 2.
source "$(dirname "$0")/lib.sh" "$1"
unset DISPLAY
cd "$WORK"

render() { "$PYXORA" --render gravity --frames 300 --size 640x480 --seed 1 "$@"; }

# Prints "WIDTH HEIGHT LIT" and checks every lit colour; fails on anything else.
inspect() {
  local size
  size=$(identify -format '%w %h' "$1") || return 1
  png_colours "$1" | awk -v size="$size" '
    { lo = $2 < $3 ? $2 : $3; lo = lo < $4 ? lo : $4; hi = $2 > $3 ? $2 : $3; hi = hi > $4 ? hi : $4
      if (!(lo == 255 || (lo == 55 && hi == 255))) { print "colour " $2 "," $3 "," $4 " is not from the hue wheel" > "/dev/stderr"; bad = 1 }
      lit += $1 }
    END { if (bad) exit 1; print size, lit + 0 }'
}

render --out a.png || fail "render exited with $?"
read -r width height lit < <(inspect a.png) || fail "a.png does not read back"
[ "$width" = 640 ] && [ "$height" = 480 ] || fail "size ${width}x${height}"
[ "$lit" -ge 500 ] && [ "$lit" -le 3016 ] || fail "$lit lit pixels for 3000 stars"

render --out b.png || fail "second render exited with $?"
cmp -s a.png b.png || fail "the same seed gave different files"

for theme in 1 2 3 4 5; do
  render --preset "$theme" --out "theme$theme.png" || fail "theme $theme exited with $?"
  read -r _ _ lit < <(inspect "theme$theme.png") || fail "theme $theme does not read back"
  [ "$lit" -ge 200 ] || fail "theme $theme lit only $lit pixels"
done
[ "$(md5sum theme*.png | cut -d' ' -f1 | sort -u | wc -l)" -eq 5 ] || fail "two themes gave the same picture"

status=0
render --preset 6 --out c.png 2>err || status=$?
[ "$status" -eq 2 ] || fail "a missing theme exited with $status"
[ "$(wc -l <err)" -eq 1 ] && grep -q "no preset 6" err || fail "unclear message: $(cat err)"
[ ! -e c.png ] || fail "a missing theme still wrote a file"
echo ok
