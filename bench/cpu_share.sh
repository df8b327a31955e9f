#!/usr/bin/env bash
# CPU share of the saver and of the X server, per effect at factory settings and at
# its largest counts, at 1920x1080 (25 frames a second) and 3840x2160 (60), beside two
# peer screen savers from the distribution (xscreensaver-data and -data-extra: galaxy
# and fireworkx), all in one run so that the ratios hold on a busy machine.
#
#   bench/cpu_share.sh [PYXORA] [SECONDS]     (default: build/pyxora, 10 s per case)
#
# Each case runs full screen on its own Xvfb; after a warm-up (CPU_SHARE_WARMUP s,
# default 6, so pools that fill slowly are measured full) the processor time of both
# processes is read from /proc/PID/schedstat over SECONDS. Prints a Markdown table with
# the frame rate our saver held (a case that could not hold its rate on a busy machine
# shows a lower share than it would cost). CPU_SHARE_ONLY=REGEX keeps the cases whose
# label matches, for looking at one effect; CPU_SHARE_SIZE='1920x1080 40' keeps one size
# and frame delay (ms). CPU_SHARE_ROUNDS=N measures every case N times, in turns, and
# shows the run with the median process share (the machine's noise is the larger error).
set -euo pipefail

PYXORA="$(readlink -f "${1:-build/pyxora}")"
SECONDS_PER_CASE="${2:-10}"
WARMUP="${CPU_SHARE_WARMUP:-6}"
HACKS=/usr/libexec/xscreensaver
[ -x "$PYXORA" ] || { echo "cpu_share: no program at $PYXORA" >&2; exit 2; }

WORK="$(mktemp -d /tmp/pyxora-cpu-XXXXXX)"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
XVFB_PID=""
CASE_PID=""
cleanup() {
  [ -n "$CASE_PID" ] && kill "$CASE_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

start_x() {
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 "$1x24" -noreset -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local number=""
  read -r -t 10 -u "$fd" number || { echo "cpu_share: Xvfb did not start" >&2; exit 1; }
  exec {fd}<&-
  export DISPLAY=":$number"
}

stop_x() {
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}

on_cpu_ns() { cut -d' ' -f1 "/proc/$1/schedstat" 2>/dev/null || echo 0; }

# Runs "$@" as the case's process; prints "process% | server%" (and " | fps" for ours).
measure() {
  PYXORA_FRAME_SUMMARY=1 "$@" >/dev/null 2>"$WORK/case.err" &
  CASE_PID=$!
  sleep "$WARMUP"
  if ! kill -0 "$CASE_PID" 2>/dev/null; then
    echo "ended early"
    CASE_PID=""
    return
  fi
  local p0 x0 t0 p1 x1 t1
  p0=$(on_cpu_ns "$CASE_PID"); x0=$(on_cpu_ns "$XVFB_PID"); t0=$(date +%s%N)
  sleep "$SECONDS_PER_CASE"
  p1=$(on_cpu_ns "$CASE_PID"); x1=$(on_cpu_ns "$XVFB_PID"); t1=$(date +%s%N)
  # Our saver ends on a key and then says what frame rate it held; a peer is killed.
  xdotool key a 2>/dev/null || true
  for _ in $(seq 30); do kill -0 "$CASE_PID" 2>/dev/null || break; sleep 0.1; done
  kill "$CASE_PID" 2>/dev/null || true
  wait "$CASE_PID" 2>/dev/null || true
  CASE_PID=""
  local fps
  fps=$(sed -n 's/.*, \([0-9.]*\) frames a second.*/\1/p' "$WORK/case.err" | tail -n1)
  awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v t=$((t1 - t0)) -v f="${fps:--}" \
    'BEGIN { printf "%.1f %% | %.1f %% | %s", 100 * p / t, 100 * x / t, f }'
}

# Settings of one case: effect index, then SECTION KEY VALUE triples.
pyxora_case() {
  local delay="$1" effect="$2"
  shift 2
  export PYXORA_CONFIG_HOME="$WORK/config-$RANDOM$RANDOM" PYXORA_SYSTEM_CONFIG="$WORK/system"
  "$PYXORA" --settings set General AnimationType "$effect" >/dev/null
  "$PYXORA" --settings set Advanced Adv_TimeDelay "$delay" >/dev/null
  while [ $# -ge 3 ]; do
    "$PYXORA" --settings set "$1" "$2" "$3" >/dev/null
    shift 3
  done
  PYXORA_SEED=1 measure "$PYXORA" /s
}

# Whether this build draws an effect (the ones still being built are left out).
has_effect() { "$PYXORA" --render "$1" --out "$WORK/probe.png" --frames 1 --size 16x16 >/dev/null 2>&1; }

CASES=(
  "gravity|4|gravity wells, factory|"
  "gravity|4|gravity wells, 9999 stars, 9 attractors|GravityWell Grav_Pixels 9999 GravityWell Grav_Attractors 9"
  "sparklers|3|sparklers, factory|"
  "sparklers|3|sparklers, 999 x 9999|B-SplineSpark B_Spline_Splines 999 B-SplineSpark B_Spline_Pixels 9999"
  "warp|2|warp, factory|"
  "warp|2|warp, 999 x 999|B-SplineWarp Warp_Works 999 B-SplineWarp Warp_Sparks 999 B-SplineWarp Warp_Type 0"
  "fireworks|0|fireworks, factory|"
  "fireworks|0|fireworks, 99 shells x 9999 sparks|Fireworks FireWorks 99 Fireworks FireSparks 9999"
  "galaxy|5|galaxies, factory|"
  "galaxy|5|galaxies, 30000 stars|Galaxy Galaxy_Stars 30000"
  "galaxy|5|galaxies, 10 stars|Galaxy Galaxy_Stars 10"
)
PEERS=(
  "galaxy|a peer galaxy saver (galaxy), its defaults"
  "fireworkx|a peer fireworks saver (fireworkx), its defaults"
)

declare -A RESULT
ORDER=()
remember() { [[ " ${ORDER[*]} " == *" $1 "* ]] || ORDER+=("$1"); }
# Keeps one more run of a case: RESULT holds its runs, one per line.
record() { RESULT["$1"]+="${RESULT["$1"]:+$'\n'}$2"; }
# The run with the median process share of a case.
median_run() { sort -t'%' -k1,1 -g <<<"${RESULT["$1"]:-}" | awk '{ runs[NR] = $0 } END { if (NR) print runs[int((NR + 1) / 2)] }'; }
ROUNDS="${CPU_SHARE_ROUNDS:-1}"
RESOLUTIONS=("1920x1080 40" "3840x2160 16")
[ -n "${CPU_SHARE_SIZE:-}" ] && RESOLUTIONS=("$CPU_SHARE_SIZE")
for resolution in "${RESOLUTIONS[@]}"; do
  read -r size delay <<<"$resolution"
  start_x "$size"
  for ((round = 1; round <= ROUNDS; round++)); do
    for entry in "${CASES[@]}"; do
      IFS='|' read -r name index label settings <<<"$entry"
      has_effect "$name" || continue
      [[ "$label" =~ ${CPU_SHARE_ONLY:-.} ]] || continue
      # shellcheck disable=SC2086
      record "$label|$size" "$(pyxora_case "$delay" "$index" $settings)"
      remember "$label"
    done
    for entry in "${PEERS[@]}"; do
      IFS='|' read -r hack label <<<"$entry"
      [[ "$label" =~ ${CPU_SHARE_ONLY:-.} ]] || continue
      if [ -x "$HACKS/$hack" ]; then
        record "$label|$size" "$(measure "$HACKS/$hack" -root)"
      else
        record "$label|$size" "not installed | (apt-get install xscreensaver-data-extra) | -"
      fi
      remember "$label"
    done
  done
  stop_x
done

echo "| Case | 1920x1080, 25 fps: process | X server | frames/s | 3840x2160, 60 fps: process | X server | frames/s |"
echo "|---|---|---|---|---|---|---|"
for label in "${ORDER[@]}"; do
  echo "| $label | $(median_run "$label|1920x1080") | $(median_run "$label|3840x2160") |"
done
