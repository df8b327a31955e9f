# Sound files that are not what they claim: a WAV cut short, a header with no samples,
# a FIFO and a device. The saver draws, says nothing, ends on a key at once (a sound
# stuck opening a FIFO must not hold the program), and no byte reaches the audio device
# that the file does not hold.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
setting General AnimationType 0
setting Fireworks FireLaunchPct 100
setting SoundFX SoundFX_ON 1

# 22050 Hz 16-bit mono; the samples hold no zero byte, so silence is told apart.
python3 - "$WORK" <<'PY'
import random, struct, sys
random.seed(9)
data = bytes(random.randrange(1, 256) for _ in range(8820))
def wave(claimed, body):
    return struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + claimed, b"WAVE", b"fmt ", 16, 1, 1, 22050,
                       44100, 2, 16, b"data", claimed) + body
folder = sys.argv[1]
open(folder + "/samples.raw", "wb").write(data[:3000])
open(folder + "/cut.wav", "wb").write(wave(len(data), data[:3000]))
open(folder + "/empty.wav", "wb").write(wave(0, b""))
open(folder + "/header.wav", "wb").write(wave(len(data), b"")[:30])
PY
mkfifo "$WORK/pipe.wav"
ln -s /dev/zero "$WORK/zero.wav"

for name in cut empty header pipe zero; do
  setting SoundFX Fire_Launch "$WORK/$name.wav"
  run_saver "$name" disk
  python3 - "$WORK/samples.raw" "$WORK/$name.raw" <<'PY' || fail "$name: bytes the file does not hold reached the device"
import os, sys
held = open(sys.argv[1], "rb").read()
out = open(sys.argv[2], "rb").read() if os.path.exists(sys.argv[2]) else b""
sys.exit(0 if all(piece in held for piece in out.split(b"\0") if piece) else 1)
PY
done
[ -p "$WORK/pipe.wav" ] || fail "the FIFO was replaced"
echo "PASS"
