# Pyxora under Debian's XScreenSaver daemon: with "pyxora -root" as its only hack,
# activating the daemon shows Pyxora's pixels in the daemon's window, a cycle ends
# the hack the way the daemon expects, and deactivating it ends the hack within a
# second. Its settings dialog in xscreensaver-settings fits a 1366x768 screen and its
# decimal sliders give decimals.
source "$(dirname "$0")/lib.sh" "$1"
command -v xscreensaver >/dev/null || fail "xscreensaver is not installed (scripts/install-deps installs it)"
start_x 1366x768

# The daemon will not start hacks as root: as root, it and its hacks run as nobody.
XSS="$WORK/xss"
mkdir -p "$XSS/bin" "$XSS/config"
cp "$PYXORA" "$XSS/bin/pyxora"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 711 "$WORK"
  chown -R nobody:nogroup "$XSS"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
run_as() {
  "${as_user[@]}" env HOME="$XSS" PATH="$XSS/bin:$PATH" PYXORA_CONFIG_HOME="$XSS/config" \
    XDG_RUNTIME_DIR="$XSS" "$@"
}

# The daemon looks in its own hack folder first; an installed Pyxora there would win.
hack_command="pyxora -root"
[ -e /usr/libexec/xscreensaver/pyxora ] && hack_command="$XSS/bin/pyxora -root"
cat >"$XSS/.xscreensaver" <<CONF
mode: one
selected: 0
timeout: 0:30:00
lock: False
fade: False
unfade: False
splash: False
programs: $hack_command
CONF
[ -z "${as_user[*]}" ] || chown nobody:nogroup "$XSS/.xscreensaver"
run_as pyxora --settings set General AnimationType 4 || fail "cannot store the settings as the daemon's user"

# -verbose: the daemon then logs how each hack ended.
run_as xscreensaver -no-splash -verbose >"$WORK/daemon.log" 2>&1 &
daemon=$!
for _ in $(seq 50); do
  run_as xscreensaver-command -time >/dev/null 2>&1 && break
  sleep 0.1
done
run_as xscreensaver-command -activate >/dev/null 2>&1 || fail "xscreensaver-command -activate failed"

# The hack runs below the daemon (under xscreensaver-gfx).
descendants() {
  local child
  for child in $(pgrep -P "$1" || true); do
    echo "$child"
    descendants "$child"
  done
}
# The running hack other than $1; fails when none starts.
find_hack() {
  local hack="" pid
  for _ in $(seq 100); do
    for pid in $(descendants "$daemon"); do
      [ "$pid" != "${1:-}" ] && [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$XSS/bin/pyxora" ] && hack=$pid
    done
    [ -n "$hack" ] && { echo "$hack"; return 0; }
    sleep 0.1
  done
  cat "$WORK/daemon.log" >&2; ps -ef --forest >&2; fail "the daemon started no pyxora"
}
hack=$(find_hack)
tr '\0' ' ' <"/proc/$hack/cmdline" | grep -q -- "-root" || fail "the hack was started without -root"

sleep 1.2
screenshot "$WORK/a.png"
sleep 0.3
screenshot "$WORK/b.png"
[ "$(lit_pixels "$WORK/b.png" 1366x768+0+0)" -gt 500 ] || fail "no pixels of the hack on the screen"
[ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" 1366x768+0+0)" -gt 0 ] || fail "the screen does not move"
alive "$hack" && ! grep -q '^State:.*Z' "/proc/$hack/status" || fail "the hack ended by itself"

# A cycle stops the hack with SIGTERM and starts it again; the daemon logs a hack
# that then exits, even with status 0, as having "exited abnormally".
run_as xscreensaver-command -cycle >/dev/null 2>&1 || fail "xscreensaver-command -cycle failed"
wait_gone "$hack" 1 || fail "the hack outlived -cycle by more than a second"
hack=$(find_hack "$hack")
sleep 0.5
grep "abnormally" "$WORK/daemon.log" && fail "the daemon saw the hack end abnormally"

run_as xscreensaver-command -deactivate >/dev/null 2>&1 || fail "xscreensaver-command -deactivate failed"
wait_gone "$hack" 1 || fail "the hack outlived -deactivate by more than a second"
grep -q "pyxora:" "$WORK/daemon.log" && fail "the hack complained: $(grep pyxora: "$WORK/daemon.log")"

# The settings dialog, with the built pyxora.xml bound where xscreensaver-settings looks
# for it in a private mount namespace, so that nothing is installed.
mkdir -p "$XSS/hack-config"
cp "$(dirname "$PYXORA")/pyxora.xml" "$XSS/hack-config/" || fail "no pyxora.xml beside the program"
chmod -R a+rX "$XSS/hack-config"
if [ "$(id -u)" -eq 0 ]; then namespace=(unshare -m --propagation private); else namespace=(unshare -rm); fi
"${namespace[@]}" true 2>/dev/null || { echo "ok (the dialog is not checked: no private mount namespace)"; exit 0; }
"${namespace[@]}" bash -c 'mount --bind "$1" /usr/share/xscreensaver/config && shift && exec "$@"' _ \
  "$XSS/hack-config" "${as_user[@]}" env HOME="$XSS" XDG_RUNTIME_DIR="$XSS" xscreensaver-settings \
  >"$WORK/settings.log" 2>&1 &
main=$(wait_window "XScreenSaver: Pyxora Settings")
# Its Settings button sits at the same place in the right-hand pane at any window width.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 365 + (WIDTH - 379) * 68 / 100)) $((Y + HEIGHT - 116)) click 1
dialog=""
for _ in $(seq 50); do
  dialog=$(xdotool search --onlyvisible --name "^XScreenSaver: Pyxora Settings\$" | grep -vx "$main" | head -n1 || true)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || fail "the Settings button opened no dialog"
xdotool windowmove "$dialog" 0 0 windowraise "$dialog" windowfocus "$dialog"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$dialog")"
# Room left on a 1366x768 screen for a title bar and a panel.
[ "$WIDTH" -le 1366 ] && [ "$HEIGHT" -le 720 ] || fail "the dialog is ${WIDTH}x$HEIGHT"

# The fireworks' first slider (Spark Burst Symmetry, 0 to 1, at 1) is the first one
# filled with the theme's blue below the top row, in the left column; a click three
# tenths along it puts the value there.
screenshot "$WORK/dialog.png"
read -r fill left top < <(convert "$WORK/dialog.png" -crop 330x130+0+75 +repage -fill black \
  +opaque "srgb(53,132,228)" -trim -format '%w %[fx:page.x] %[fx:page.y]\n' info:)
[ "$fill" -gt 50 ] || fail "no slider at the top left of the dialog"
xdotool mousemove $((left + fill * 3 / 10)) $((75 + top)) click 1
sleep 0.3
xdotool mousemove $((WIDTH - 58)) $((HEIGHT - 20)) click 1  # Save
for _ in $(seq 30); do
  grep -q -- "-FireSymmetry" "$XSS/.xscreensaver" && break
  sleep 0.1
done
symmetry=$(grep -o -- "-FireSymmetry [0-9.]*" "$XSS/.xscreensaver" || true)
[[ "$symmetry" =~ ^-FireSymmetry\ 0?\.[0-9]*[1-9] ]] || fail "the symmetry slider gave '$symmetry'"
kill "$daemon"
echo ok
