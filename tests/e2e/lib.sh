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
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display (WxH, default 1024x768) and exports DISPLAY.
start_x() {
  local size="${1:-1024x768}"
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 "${size}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local number=""
  for _ in $(seq 100); do
    read -r -t 0.1 -u "$fd" number && break || true
  done
  [ -n "$number" ] || fail "Xvfb did not start"
  export DISPLAY=":$number"
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

# Waits up to $2 seconds (default 5) for a process to end.
wait_gone() {
  local pid="$1" limit="${2:-5}"
  for _ in $(seq $((limit * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

alive() { kill -0 "$1" 2>/dev/null; }

setting() { "$PYXORA" --settings set "$@" >/dev/null; }
