# Shared helpers for the real-window tests: a private X server, a private settings
# folder, waiting for windows and processes, and failing with a clear line.
# Source it with the program path as $1.
set -euo pipefail

PYXORA="$(readlink -f "$1")"
WORK="$(mktemp -d /tmp/pyxora-e2e-XXXXXX)"
export PYXORA_CONFIG_HOME="$WORK/config"
export PYXORA_SYSTEM_CONFIG="$WORK/system"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

XVFB_PID=""
cleanup() {
  local pids
  pids=$(jobs -p || true)
  [ -n "$pids" ] && kill $pids 2>/dev/null || true
  stop_x
  rm -rf "$WORK"
}
trap cleanup EXIT

# Fails the test, showing what the programs said on stderr (files $WORK/*.err).
fail() {
  echo "FAIL: $*" >&2
  local log
  for log in "$WORK"/*.err; do
    [ -s "$log" ] && { echo "--- $(basename "$log"):" >&2; cat "$log" >&2; }
  done
  if [ -n "$XVFB_PID" ] && ! kill -0 "$XVFB_PID" 2>/dev/null; then
    echo "--- the X server has ended:" >&2
    tail -n 20 "$WORK/xvfb.log" >&2
  fi
  exit 1
}

# Starts Xvfb on a free display (WxH, default 1024x768) and exports DISPLAY. The
# screen's memory is kept in $WORK/fb, where the pointer is drawn too. -noreset:
# by default the server resets when its last client leaves, and a program started
# during the reset cannot connect. A server that does not answer is started again.
# $XVFB_ARGS adds arguments (for example -extension MIT-SHM).
start_x() {
  local size="${1:-1024x768}" attempt
  mkdir -p "$WORK/fb"
  for attempt in 1 2 3; do
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -screen 0 "${size}x24" -fbdir "$WORK/fb" -noreset -nolisten tcp ${XVFB_ARGS:-} >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local number=""
    for _ in $(seq 100); do
      read -r -t 0.1 -u "$fd" number && break || true
    done
    exec {fd}<&-
    if [ -n "$number" ] && DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; then
      export DISPLAY=":$number"
      return 0
    fi
    stop_x
  done
  fail "Xvfb did not start"
}

# A 2560x720 server split into two monitors of 1280x720: LEFT (primary) and RIGHT.
start_x_two_monitors() {
  start_x 2560x720
  xrandr --setmonitor LEFT 1280/338x720/190+0+0 screen >/dev/null
  xrandr --setmonitor RIGHT 1280/338x720/190+1280+0 none >/dev/null
}

stop_x() {
  [ -n "$XVFB_PID" ] || return 0
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}

# Waits until a visible window with exactly this title exists; prints its id.
wait_window() {
  local title="$1" id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window titled '$title'"
}

# Waits until no visible window has this title.
wait_no_window() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds (default 5) for a process to end. A process that has ended
# but not yet been reaped (a zombie whose parent is gone) counts as ended.
wait_gone() {
  local pid="$1" limit="${2:-5}"
  for _ in $(seq $((limit * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    grep -q '^State:.*Z' "/proc/$pid/status" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

alive() { kill -0 "$1" 2>/dev/null; }

setting() { "$PYXORA" --settings set "$@" >/dev/null; }

# Saves the screen as PNG (without the pointer).
screenshot() { import -window root "$1"; }

# Prints "COUNT R G B" for every colour of a PNG but black.
png_colours() {
  convert "$1" -format %c histogram:info:- | awk '{ gsub(/[(),:]/, " "); if ($2 + $3 + $4 > 0) print $1, $2, $3, $4 }'
}

# How many pixels of a WxH+X+Y region differ between two PNGs.
pixels_differing() {
  local a="$1" b="$2" region="$3"
  convert "$a" -crop "$region" +repage "$WORK/.da.png"
  convert "$b" -crop "$region" +repage "$WORK/.db.png"
  compare -metric AE "$WORK/.da.png" "$WORK/.db.png" null: 2>&1 | cut -d' ' -f1 || true
}

# How many pixels of a WxH+X+Y region are not black.
lit_pixels() {
  convert "$1" -crop "$2" +repage -threshold 0 -format '%[fx:round(mean*w*h)]' info:
}

# Whether the pointer shows: Xvfb draws it into the screen's memory, while a
# screenshot leaves it out, so the two differ around the pointer when it is visible.
# The server lifts the pointer off while it draws beneath it, so a few looks are taken.
pointer_visible() {
  local x y
  eval "$(xdotool getmouselocation --shell)"
  x=$((X > 2 ? X - 2 : 0)); y=$((Y > 2 ? Y - 2 : 0))
  for _ in 1 2 3 4 5 6; do
    convert "xwd:$WORK/fb/Xvfb_screen0" "$WORK/.fb.png"
    import -window root "$WORK/.root.png"
    [ "$(pixels_differing "$WORK/.fb.png" "$WORK/.root.png" "24x24+$x+$y")" -gt 0 ] && return 0
    sleep 0.05
  done
  return 1
}

# Moves the pointer by (dx, dy), one motion event.
nudge() {
  xdotool mousemove_relative -- "$1" "$2"
  sleep 0.15
}

# How many pixels of a WxH+X+Y region have exactly the colour RRGGBB.
colour_pixels() {
  convert "$1" -crop "$2" +repage -fill black +opaque "#$3" -fill white -opaque "#$3" \
    -format '%[fx:round(mean*w*h)]' info:
}

# Waits for a visible window of a process; prints its id.
wait_window_of() {
  local pid="$1" id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window of process $pid"
}

# Runs the saver for a while with the given audio driver; the samples land in $WORK/$1.raw.
run_saver() {
  local name="$1" driver="$2"
  SDL_AUDIODRIVER="$driver" SDL_DISKAUDIOFILE="$WORK/$name.raw" "$PYXORA" /s 2>"$WORK/$name.err" &
  local saver=$!
  wait_window "PXRA:Pyxora 3.2" >/dev/null
  sleep 1.5
  screenshot "$WORK/$name.png"
  [ "$(lit_pixels "$WORK/$name.png" 640x480+0+0)" -gt 0 ] || fail "$name: nothing drawn"
  xdotool key a
  wait_gone "$saver" 5 || fail "$name: the saver did not end"
  # SDL's disk driver announces itself; anything else is ours.
  if grep -vE "^CRITICAL: +(You are using the SDL disk i/o audio driver|Writing to file)" "$WORK/$name.err"; then
    fail "$name: messages on stderr"
  fi
}
