# The Windows program beside the Linux one ($2): a template exported on Linux imports on
# Windows to the same stored values, and back; and a seeded --render of every effect
# gives the same picture. Skipped (77) without a Linux build.
source "$(dirname "$0")/lib.sh" "$1"
LINUX="${2:-}"
[ -x "$LINUX" ] || { echo "no Linux program to compare with"; exit 77; }
linux() { "$LINUX" "$@"; }

linux --settings set Galaxy Galaxy_Stars 1234
linux --settings set Advanced LockMessage "Back at three"
linux --settings set General AnimationType 3
linux --settings export "$WORK/linux.pxt" || fail "the Linux export failed"
wine "$PYXORA" --settings import "$(winepath -w "$WORK/linux.pxt")" || fail "the Windows import failed"
linux --settings import "$WORK/linux.pxt"
# The registry lists its keys in its own order: compare the lines.
linux --settings list | sort >"$WORK/linux.txt"
wine "$PYXORA" --settings list | tr -d '\r' | sort >"$WORK/windows.txt"
diff "$WORK/linux.txt" "$WORK/windows.txt" >&2 || fail "Windows stored other values than Linux"

wine "$PYXORA" --settings set Galaxy Galaxy_Stars 777
wine "$PYXORA" --settings export "$(winepath -w "$WORK/windows.pxt")" || fail "the Windows export failed"
cmp "$WORK/windows.pxt" <(sed 's/Galaxy_Stars=1234/Galaxy_Stars=777/' "$WORK/linux.pxt") || fail "the templates differ"
linux --settings import "$WORK/windows.pxt" || fail "the Linux import failed"
[ "$(linux --settings get Galaxy Galaxy_Stars)" = 777 ] || fail "Linux did not take the Windows template"

# Every effect, seeded: the pixels of both builds.
for effect in fireworks warp sparklers gravity galaxy; do
  linux --render "$effect" --out "$WORK/$effect-linux.png" --frames 300 --size 640x480 --seed 7
  wine "$PYXORA" --render "$effect" --out "$(winepath -w "$WORK/$effect-windows.png")" --frames 300 --size 640x480 --seed 7
  differing=$(compare -metric AE "$WORK/$effect-linux.png" "$WORK/$effect-windows.png" null: 2>&1 | cut -d' ' -f1 || true)
  echo "$effect: $differing pixels differ"
  [ "$differing" = 0 ] || fail "$effect renders differently on Windows"
done
