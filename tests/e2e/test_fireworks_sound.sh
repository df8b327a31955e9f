# Fireworks sounds through the audio device, caught by SDL's disk driver: with sounds
# on, a shell's launch plays the configured WAV (its samples reach the device byte for
# byte); with sounds off, or a file that is no WAV, or no audio device, nothing is
# played, nothing is said, and the fireworks run on.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
setting General AnimationType 0
setting Fireworks FireLaunchPct 100

# A short WAV (22050 Hz, 16-bit mono) of samples no silence looks like.
python3 - "$WORK/launch.wav" <<'PY'
import random, struct, sys
random.seed(5)
data = bytes(random.randrange(1, 256) for _ in range(4410))
header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(data), b"WAVE", b"fmt ", 16, 1, 1, 22050,
                     44100, 2, 16, b"data", len(data))
open(sys.argv[1], "wb").write(header + data)
PY
printf 'not a wave file\n' >"$WORK/bad.wav"
setting SoundFX Fire_Launch "$WORK/launch.wav"

# Whether the WAV's samples appear in the device's output.
played() {
  python3 - "$WORK/launch.wav" "$WORK/$1.raw" <<'PY'
import os, sys
samples = open(sys.argv[1], "rb").read()[44:]
out = open(sys.argv[2], "rb").read() if os.path.exists(sys.argv[2]) else b""
sys.exit(0 if samples in out else 1)
PY
}

setting SoundFX SoundFX_ON 1
run_saver on disk
played on || fail "the launch sound did not reach the device"

setting SoundFX SoundFX_ON 0
run_saver off disk
played off && fail "a sound played with sounds off"
[ ! -s "$WORK/off.raw" ] || fail "the device was opened with sounds off"

setting SoundFX SoundFX_ON true
run_saver text disk
played text && fail "SoundFX_ON 'true' counted as on"

setting SoundFX SoundFX_ON 1
setting SoundFX Fire_Launch "$WORK/bad.wav"
run_saver bad disk
[ ! -s "$WORK/bad.raw" ] || fail "a file that is no WAV reached the device"

setting SoundFX Fire_Launch "$WORK/launch.wav"
run_saver nodevice no-such-driver
echo ok
