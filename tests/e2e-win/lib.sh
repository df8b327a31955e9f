# Shared helpers for the Windows program's real-window tests: the Linux tests' private X
# server and waits, and wine in one prefix for all of them ($WINEPREFIX, made on first
# use). Source it with the path of Pyxora.scr as $1.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh" "$1"
export WINEPREFIX="${WINEPREFIX:-/tmp/pyxora-wine-$(id -u)}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
BUILD="$(dirname "$PYXORA")"
KEY='HKCU\Software\Pyxora'

# A wineserver left from another display would make every window fail: end it first,
# and end whatever a test left running on the way out.
stop_wine() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
stop_wine
cleanup_wine() {
  stop_wine
  cleanup
}
trap cleanup_wine EXIT
[ -n "${KEEP_WORK:-}" ] && cleanup() { stop_x; }
wine reg delete "$KEY" /f >/dev/null 2>&1 || true
# That wine ran before the test's X server: its desktop process found no display, and
# every window made while it lives would fail ("could not load a driver").
stop_wine

# The program under wine, in the background; its process id in $!.
pyxora() { wine "$PYXORA" "$@"; }
setting() { wine reg add "$KEY\\PXRA_SS\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null; }
# The stored text of a value, or nothing.
stored() {
  wine reg query "$KEY\\PXRA_SS\\$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v k="$2" '$1 == k { sub(/^ *[^ ]+ +REG_SZ +/, ""); print }'
}

# The first window after the wineserver starts waits for wine's own desktop processes:
# on a busy machine that takes longer than the Linux tests allow.
wait_window() {
  local title="$1" id=""
  for _ in $(seq 400); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  local names
  names=$(for w in $(xdotool search --name . 2>/dev/null); do xdotool getwindowname "$w"; done | sort -u | paste -sd, -)
  fail "no window titled '$title' (windows: $names)"
}

# Without a window manager the keys go to the window under the pointer: put it there.
pointer_over() { xdotool mousemove --window "$1" 4 4; sleep 0.2; }
# What the window with this caption shows: "class|text|left,top,right,bottom|enabled" a
# control, read through the system (tests/win/tools/window_texts.cpp).
texts() { wine "$BUILD/window_texts.exe" "$1" 2>/dev/null | tr -d '\r'; }
# Waits until the window with this caption shows a control with exactly this text.
wait_text() {
  for _ in $(seq 100); do
    texts "$1" | cut -d'|' -f2 | grep -qxF -- "$2" && return 0
    sleep 0.1
  done
  fail "'$1' does not show '$2'"
}
# Every control of the window lies inside it and shows its whole line of text.
shows_whole() {
  texts "$1" | awk -F'|' -v caption="$1" '
    NR == 1 { split($3, w, ","); next }
    { split($3, r, ",") }
    r[1] < w[1] || r[2] < w[2] || r[3] > w[3] || r[4] > w[4] { print caption ": outside the window (" w[1] "," w[2] "," w[3] "," w[4] "): " $1 " " $2 " " $3; bad = 1 }
    $5 == "clipped" { print caption ": cut off: " $1 " " $2; bad = 1 }
    END { exit bad }' || fail "'$1' does not show all of its controls"
}
