# Fireworks sounds through the audio device, caught by SDL's disk driver: with sounds
# on, a shell's launch plays the configured WAV (its samples reach the device byte for
# byte); with sounds off, or a file that is no WAV, or no audio device, nothing is
# played, nothing is said, and the fireworks run on; a new sound cuts the one playing.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
setting General AnimationType 0
setting Fireworks FireLaunchPct 100

# A WAV (22050 Hz, 16-bit mono) of SECONDS of samples no silence looks like, each file its own.
wav() {
  python3 - "$1" "$2" <<'PY'
import random, struct, sys
random.seed(sys.argv[1])
data = bytes(random.randrange(1, 256) for _ in range(int(float(sys.argv[2]) * 44100)))
header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(data), b"WAVE", b"fmt ", 16, 1, 1, 22050,
                     44100, 2, 16, b"data", len(data))
open(sys.argv[1], "wb").write(header + data)
PY
}
wav "$WORK/launch.wav" 0.1
printf 'not a wave file\n' >"$WORK/bad.wav"
setting SoundFX Fire_Launch "$WORK/launch.wav"

# Whether the first BYTES (default all) of the samples of WAV reach the device in run NAME.
played() {
  python3 - "$WORK/$1.raw" "${2:-$WORK/launch.wav}" "${3:-0}" <<'PY'
import os, sys
samples = open(sys.argv[2], "rb").read()[44:]
samples = samples[:int(sys.argv[3])] if int(sys.argv[3]) else samples
out = open(sys.argv[1], "rb").read() if os.path.exists(sys.argv[1]) else b""
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

# A new sound cuts the one playing: a launch sound of a second is cut by the burst of
# the shell it announced, a third to a half of a second later (8 frames of rising, then
# a trail that dies out at once), every time; so it never plays whole, while the short
# burst sound does.
wav "$WORK/long.wav" 1
wav "$WORK/burst.wav" 0.1
setting SoundFX Fire_Launch "$WORK/long.wav"
for key in Standard MultiBurst JetBurst Scintil Sparkle RingDisk Twister DecayStar; do
  setting SoundFX "Fire_$key" "$WORK/burst.wav"
done
setting Fireworks FireWorks 1
setting Fireworks FireLaunchSteps 8
setting Fireworks FireLaunchPixel 10
setting Fireworks FireLaunchPersist 0.25
run_saver cut disk
played cut "$WORK/long.wav" 4410 || fail "the launch sound did not start"
played cut "$WORK/burst.wav" || fail "the burst sound did not play"
played cut "$WORK/long.wav" && fail "the launch sound played whole: the burst did not cut it"
echo ok
