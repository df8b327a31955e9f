# Pyxora under Debian's XScreenSaver daemon: with "pyxora -root" as its only hack,
# activating the daemon shows Pyxora's pixels in the daemon's window, and
# deactivating it ends the hack within a second.
source "$(dirname "$0")/lib.sh" "$1"
command -v xscreensaver >/dev/null || fail "xscreensaver is not installed (scripts/install-deps installs it)"
start_x 640x480

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

run_as xscreensaver -no-splash ${XSS_VERBOSE:+-verbose} >"$WORK/daemon.log" 2>&1 &
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
hack=""
for _ in $(seq 100); do
  for pid in $(descendants "$daemon"); do
    [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$XSS/bin/pyxora" ] && hack=$pid
  done
  [ -n "$hack" ] && break
  sleep 0.1
done
[ -n "$hack" ] || { cat "$WORK/daemon.log" >&2; ps -ef --forest >&2; fail "the daemon started no pyxora"; }
tr '\0' ' ' <"/proc/$hack/cmdline" | grep -q -- "-root" || fail "the hack was started without -root"

sleep 1.2
screenshot "$WORK/a.png"
sleep 0.3
screenshot "$WORK/b.png"
[ "$(lit_pixels "$WORK/b.png" 640x480+0+0)" -gt 500 ] || fail "no pixels of the hack on the screen"
[ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" 640x480+0+0)" -gt 0 ] || fail "the screen does not move"

alive "$hack" && ! grep -q '^State:.*Z' "/proc/$hack/status" || fail "the hack ended by itself"
run_as xscreensaver-command -deactivate >/dev/null 2>&1 || fail "xscreensaver-command -deactivate failed"
wait_gone "$hack" 1 || fail "the hack outlived -deactivate by more than a second"
kill "$daemon"
wait "$daemon" 2>/dev/null || true
grep -q "pyxora:" "$WORK/daemon.log" && fail "the hack complained: $(grep pyxora: "$WORK/daemon.log")"
echo ok
