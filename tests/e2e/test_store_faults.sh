# Faults a person meets from the shell: a settings folder that is read-only or full, a
# settings file replaced by garbage or by a folder, templates that are folders, FIFOs
# or devices. Each gives a clear message and a failing status, nothing stored is lost,
# and nothing waits forever. We run as root, where permissions stop nothing, so the
# read-only and full folders are small tmpfs mounts in a private mount namespace.
source "$(dirname "$0")/lib.sh" "$1"
CONFIG="$PYXORA_CONFIG_HOME"
mkdir -p "$CONFIG"
export PYXORA CONFIG WORK

# Runs the script on stdin as root of a private mount namespace, with a tmpfs of the
# given options on the settings folder. Exits 77 (skipped) when that cannot be made here.
on_tmpfs() {
  local options="$1"
  if ! unshare -rm mount -t tmpfs -o size=16k tmpfs "$WORK" 2>/dev/null; then
    echo "SKIP: no private mount namespace with tmpfs here"
    exit 77
  fi
  unshare -rm bash -c "set -euo pipefail
    mount -t tmpfs -o '$options' tmpfs \"\$CONFIG\"
    bad() { echo \"FAIL: \$*\" >&2; exit 1; }
    $(cat)"
}

# Exact texts of the program's messages.
refused_store="pyxora: cannot write the settings store $CONFIG/settings.ini"
refused_import="pyxora: cannot import the template $WORK/look.pxt: cannot write $CONFIG/settings.ini: Read-only file system"

setting Galaxy Galaxy_Stars 77
"$PYXORA" --settings export "$WORK/look.pxt" || fail "export failed"
rm -rf "$CONFIG"/* "$CONFIG"/.settings.lock

# A read-only settings folder: a write and an import fail with their message; what is
# stored still reads.
on_tmpfs size=64k <<EOS || fail "read-only settings folder"
  "\$PYXORA" --settings set Galaxy Galaxy_Stars 1234
  mount -o remount,ro "\$CONFIG"
  status=0; "\$PYXORA" --settings set Galaxy Galaxy_Stars 99 2>"\$WORK/ro.err" || status=\$?
  [ \$status = 1 ] || bad "a refused write ended with \$status"
  [ "\$(cat "\$WORK/ro.err")" = "$refused_store" ] || bad "write message: \$(cat "\$WORK/ro.err")"
  status=0; "\$PYXORA" --settings import "\$WORK/look.pxt" 2>"\$WORK/ro.err" || status=\$?
  [ \$status = 1 ] || bad "a refused import ended with \$status"
  [ "\$(cat "\$WORK/ro.err")" = "$refused_import" ] || bad "import message: \$(cat "\$WORK/ro.err")"
  [ "\$("\$PYXORA" --settings get Galaxy Galaxy_Stars)" = 1234 ] || bad "the stored value changed"
EOS

# A full settings folder: the write fails with its message, the file is as it was and no
# temporary file is left; a template saved there fails with the system's reason and the
# old template stays whole.
on_tmpfs size=16k <<EOS || fail "full settings folder"
  "\$PYXORA" --settings set Galaxy Galaxy_Stars 1234
  printf 'old template\r\n' >"\$CONFIG/mine.pxt"
  before=\$(cat "\$CONFIG/settings.ini")
  dd if=/dev/zero of="\$CONFIG/filler" bs=1k 2>/dev/null || true
  status=0; "\$PYXORA" --settings set Galaxy Galaxy_Name "\$(printf 'n%.0s' \$(seq 100))" 2>"\$WORK/full.err" || status=\$?
  [ \$status = 1 ] || bad "a write to a full folder ended with \$status"
  [ "\$(cat "\$WORK/full.err")" = "$refused_store" ] || bad "write message: \$(cat "\$WORK/full.err")"
  [ "\$(cat "\$CONFIG/settings.ini")" = "\$before" ] || bad "the settings file changed"
  status=0; "\$PYXORA" --settings export "\$CONFIG/mine.pxt" 2>"\$WORK/full.err" || status=\$?
  [ \$status = 1 ] || bad "a template save to a full folder ended with \$status"
  [ "\$(cat "\$WORK/full.err")" = "pyxora: cannot write the template \$CONFIG/mine.pxt: No space left on device" ] ||
    bad "export message: \$(cat "\$WORK/full.err")"
  [ "\$(cat "\$CONFIG/mine.pxt")" = "\$(printf 'old template\r\n')" ] || bad "the old template changed"
  [ "\$(ls -A "\$CONFIG" | sort | tr '\n' ' ')" = ".settings.lock filler mine.pxt settings.ini " ] ||
    bad "files left behind: \$(ls -A "\$CONFIG")"
EOS

# A settings file replaced by garbage reads as nothing stored; the next write keeps the
# garbage as a backup before it replaces the file.
printf 'garbage\0\377 without any section\n' >"$CONFIG/settings.ini"
status=0; "$PYXORA" --settings get Galaxy Galaxy_Stars >/dev/null 2>&1 || status=$?
[ $status = 1 ] || fail "a value read from garbage (status $status)"
setting Galaxy Galaxy_Stars 555
[ "$("$PYXORA" --settings get Galaxy Galaxy_Stars)" = 555 ] || fail "the write after garbage did not read back"
cmp -s "$CONFIG"/settings.ini.unreadable-* <(printf 'garbage\0\377 without any section\n') ||
  fail "the garbage was not kept as a backup"
rm -f "$CONFIG"/settings.ini*

# A settings file replaced by a folder: writes fail with their message, the folder stays.
mkdir -p "$CONFIG/settings.ini/keep"
status=0; "$PYXORA" --settings set Galaxy Galaxy_Stars 1 2>"$WORK/folder.err" || status=$?
[ $status = 1 ] || fail "a write over a folder ended with $status"
[ "$(cat "$WORK/folder.err")" = "$refused_store" ] || fail "folder message: $(cat "$WORK/folder.err")"
[ -d "$CONFIG/settings.ini/keep" ] || fail "the folder was touched"
rm -rf "$CONFIG/settings.ini"

# Templates that are a folder, a FIFO or a device: import says why at once and stores
# nothing; a save over one is refused and the node stays what it was.
setting Galaxy Galaxy_Stars 1234
mkdir "$WORK/folder.pxt"
mkfifo "$WORK/pipe.pxt"
ln -s /dev/null "$WORK/null.pxt"
for name in folder pipe null; do
  reason="not a regular file"
  [ $name = folder ] && reason="it is a folder"
  status=0; timeout 10 "$PYXORA" --settings import "$WORK/$name.pxt" 2>"$WORK/t.err" || status=$?
  [ $status = 1 ] || fail "import of $name ended with $status"
  [ "$(cat "$WORK/t.err")" = "pyxora: cannot import the template $WORK/$name.pxt: $reason" ] ||
    fail "import of $name: $(cat "$WORK/t.err")"
  status=0; timeout 10 "$PYXORA" --settings export "$WORK/$name.pxt" 2>"$WORK/t.err" || status=$?
  [ $status = 1 ] || fail "export to $name ended with $status"
  [ "$(cat "$WORK/t.err")" = "pyxora: cannot write the template $WORK/$name.pxt: $reason" ] ||
    fail "export to $name: $(cat "$WORK/t.err")"
done
[ "$("$PYXORA" --settings get Galaxy Galaxy_Stars)" = 1234 ] || fail "a failed import changed the settings"
[ -d "$WORK/folder.pxt" ] && [ -p "$WORK/pipe.pxt" ] && [ "$(readlink "$WORK/null.pxt")" = /dev/null ] ||
  fail "a template node was replaced"
[ -c /dev/null ] || fail "/dev/null is no longer a device"

# Accept in the Properties window over a read-only settings folder: the message box
# says so, and the window stays open with its fields for another try.
start_x 640x480
press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key "$2"
}
setting General ResetSettings 1
setting General AnimationType 4
before=$(cat "$CONFIG/settings.ini")
unshare -rm bash -c 'mount --bind "$CONFIG" "$CONFIG" && mount -o remount,bind,ro "$CONFIG" && exec "$PYXORA" /c' \
  2>"$WORK/props.err" &
props=$!
id=$(wait_window_of "$props")
sleep 0.3
press "$id" alt+a
box=$(wait_window Pyxora)
screenshot "$WORK/refused.png"
alive "$props" || fail "the Properties window ended"
press "$box" Return
wait_no_window Pyxora || fail "the message box stayed"
sleep 0.3
alive "$props" || fail "the Properties window closed although nothing was saved"
press "$id" Escape
wait_gone "$props" 5 || fail "Escape did not close the Properties window"
[ "$(cat "$CONFIG/settings.ini")" = "$before" ] || fail "the settings file changed"
[ -n "${PYXORA_SHOTS:-}" ] && cp "$WORK/refused.png" "$PYXORA_SHOTS/"
echo "PASS"
