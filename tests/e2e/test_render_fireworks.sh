# Headless rendering of the fireworks from the command line: no display needed. The
# PNGs are read back from disk: sparks lit in plausible numbers, every colour a grey
# (trails, scintillators, decaying stars) or a hue of the default wheel (one channel
# 255, one 55); the same seed gives the same file; every theme renders a picture of
# its own; a preset outside 1..13 is one line and exit 2, and writes nothing.
source "$(dirname "$0")/lib.sh" "$1"
unset DISPLAY
cd "$WORK"

render() { "$PYXORA" --render fireworks --frames 400 --size 640x480 --seed 1 "$@"; }

# Prints "WIDTH HEIGHT LIT" and checks every lit colour; fails on anything else.
inspect() {
  python3 - "$1" <<'EOF'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
pos, idat = 8, b""
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b"IHDR":
        width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        assert depth == 8 and ctype in (2, 6) and interlace == 0, f"unexpected PNG layout {depth} {ctype}"
    elif kind == b"IDAT":
        idat += body
    pos += 12 + length
bpp = 3 if ctype == 2 else 4
raw, stride = zlib.decompress(idat), width * bpp
rows, prev, i = [], bytearray(stride), 0
for _ in range(height):
    kind, line = raw[i], bytearray(raw[i + 1:i + 1 + stride])
    i += 1 + stride
    for x in range(stride):
        a = line[x - bpp] if x >= bpp else 0
        b, c = prev[x], prev[x - bpp] if x >= bpp else 0
        if kind == 1: line[x] = (line[x] + a) & 255
        elif kind == 2: line[x] = (line[x] + b) & 255
        elif kind == 3: line[x] = (line[x] + (a + b) // 2) & 255
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line)
    prev = line
lit = 0
for line in rows:
    for x in range(0, stride, bpp):
        rgb = tuple(line[x:x + 3])
        if rgb == (0, 0, 0):
            continue
        lit += 1
        low, _, high = sorted(rgb)
        assert low == high or (low == 55 and high == 255), f"colour {rgb} is neither a grey nor from the hue wheel"
print(width, height, lit)
EOF
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
