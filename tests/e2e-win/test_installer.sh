# Pyxora-Setup.exe under wine, in a prefix of its own since it changes the system folder:
# silent installs and uninstalls with and without their switches, then the finish page's
# and the uninstaller's check boxes from the keyboard.
prefix="$(mktemp -d /tmp/pyxora-setup-XXXXXX)"
export WINEPREFIX="$prefix"
source "$(dirname "$0")/lib.sh" "$1"
trap 'cleanup_wine; rm -rf "$prefix"' EXIT
SETUP="$BUILD/Pyxora-Setup.exe"
[ -f "$SETUP" ] || { echo "SKIP: $SETUP is not built (cmake --build build-windows --target installer)"; exit 77; }
start_x 800x600

SOURCE="$(dirname "$0")/../.."
DRIVE="$WINEPREFIX/drive_c"
MENU="$DRIVE/ProgramData/Microsoft/Windows/Start Menu/Programs/Pyxora"
SAVER='C:\windows\system32\Pyxora.scr'
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pyxora'
DESKTOP='HKCU\Control Panel\Desktop'
OTHER_SAVER='C:\windows\system32\Other.scr'

# What an install into $FOLDER puts on disk: every file, and the folders only it made.
install_folder() {
  FOLDER="$1"
  installed=("$DRIVE/windows/system32/Pyxora.scr" "$FOLDER/Pyxora.exe" "$FOLDER/Uninstall.exe"
    "$MENU/Pyxora.lnk" "$MENU/Pyxora Properties.lnk")
  for page in "$SOURCE"/docs/help/*; do installed+=("$FOLDER/help/$(basename "$page")"); done
  folders=("$FOLDER" "$MENU")
}
install_folder "$DRIVE/Program Files/Pyxora"

# The data of a registry value (text or number), or nothing.
value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v k="$2" '$1 == k { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print }'
}
expect_value() {
  [ "$(value "$1" "$2")" = "$3" ] || fail "$4: $1 $2 is '$(value "$1" "$2")', not '$3'"
}
expect_installed() {
  local file
  for file in "${installed[@]}"; do [ -f "$file" ] || fail "$1: ${file#"$DRIVE"/} is not installed"; done
}
expect_removed() {
  local path
  for path in "${installed[@]}" "${folders[@]}"; do [ ! -e "$path" ] || fail "$1: ${path#"$DRIVE"/} is left"; done
  wine reg query "$UNINSTALL" >/dev/null 2>&1 && fail "$1: the uninstall key is left"
  return 0
}
# The uninstaller copies itself to a temporary folder and returns at once: wait for wine's
# last process to end.
uninstall() {
  wine "$FOLDER/Uninstall.exe" "$@" || fail "the uninstaller failed"
  wineserver -w
}
other_saver() { wine reg add "$DESKTOP" /v SCRNSAVE.EXE /t REG_SZ /d "$OTHER_SAVER" /f >/dev/null; }

# A plain silent install: the files, the key, a working program, and the user's saver kept.
other_saver
wine "$SETUP" /S || fail "the silent install failed"
expect_installed "/S"
version="$(sed -n 's/^project(Pyxora VERSION \([0-9.]*\).*/\1/p' "$SOURCE/CMakeLists.txt")"
size_kib=$(( ($(cat "${installed[@]:0:3}" "$FOLDER"/help/* | wc -c) + 1023) / 1024 ))
while read -r name data; do
  expect_value "$UNINSTALL" "$name" "$data" "the uninstall key"
done <<EOF
DisplayName Pyxora
DisplayVersion $version
Publisher Pyxora authors
InstallLocation C:\\Program Files\\Pyxora
UninstallString "C:\\Program Files\\Pyxora\\Uninstall.exe"
QuietUninstallString "C:\\Program Files\\Pyxora\\Uninstall.exe" /S
DisplayIcon C:\\Program Files\\Pyxora\\Pyxora.exe,0
NoModify 0x1
NoRepair 0x1
EOF
estimated=$(( $(value "$UNINSTALL" EstimatedSize) ))
[ "$estimated" -ge $((size_kib - 8)) ] && [ "$estimated" -le $((size_kib + 8)) ] ||
  fail "EstimatedSize is $estimated KiB for $size_kib KiB installed"
expect_value "$DESKTOP" SCRNSAVE.EXE "$OTHER_SAVER" "a silent install without /SCREENSAVER"
wine "$FOLDER/Pyxora.exe" --settings set General AnimationType 4 || fail "the installed program does not store settings"

# Asked on the command line, a silent install makes Pyxora the current screen saver.
wine "$SETUP" /S /SCREENSAVER || fail "the silent install with /SCREENSAVER failed"
expect_value "$DESKTOP" SCRNSAVE.EXE "$SAVER" "/S /SCREENSAVER"
expect_value "$DESKTOP" ScreenSaveActive 1 "/S /SCREENSAVER"

# The silent uninstall removes what was installed and the saver it named, and keeps settings.
uninstall /S
expect_removed "/S uninstall"
[ -z "$(value "$DESKTOP" SCRNSAVE.EXE)" ] || fail "SCRNSAVE.EXE still names the removed saver"
expect_value 'HKCU\Software\Pyxora\PXRA_SS\General' AnimationType 4 "the user's settings after /S"

# A new version goes where the last one is. Asked, the uninstaller removes the settings
# too; another screen saver chosen since stays.
wine "$SETUP" /S '/D=C:\Saver\Pyxora' || fail "the silent install into a folder failed"
wine "$SETUP" /S /SCREENSAVER || fail "the silent install over it failed"
install_folder "$DRIVE/Saver/Pyxora"
expect_installed "an install over another"
[ ! -e "$DRIVE/Program Files/Pyxora" ] || fail "an install over another went to the default folder"
other_saver
uninstall /S /REMOVESETTINGS
expect_removed "/S /REMOVESETTINGS"
wine reg query 'HKCU\Software\Pyxora' >/dev/null 2>&1 && fail "/REMOVESETTINGS left HKCU\\Software\\Pyxora"
expect_value "$DESKTOP" SCRNSAVE.EXE "$OTHER_SAVER" "the uninstall with another saver chosen"

# By keyboard: Next, Install, then Finish with "Make Pyxora my screen saver" ticked. Until
# its pages appear a window takes no keys: wait for each, and press the last button's
# mnemonic until the window goes.
press() {
  local id
  id="$(wait_window "$1")"
  sleep 1
  xdotool windowfocus "$id" key "${@:2}"
}
close_with() {
  local id
  for _ in $(seq 60); do
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)"
    [ -n "$id" ] || return 0
    xdotool windowfocus "$id" key "$2" 2>/dev/null || true
    sleep 0.5
  done
  fail "'$1' did not close"
}
install_folder "$DRIVE/Program Files/Pyxora"
wine "$SETUP" 2>"$WORK/setup.err" &
press "Pyxora Setup ?" alt+n
press "Pyxora Setup ?" alt+i
close_with "Pyxora Setup ?" alt+f
wineserver -w
expect_installed "the installer's pages"
expect_value "$DESKTOP" SCRNSAVE.EXE "$SAVER" "the finish page's check box"

# The Start-menu entries, opened as the shell opens them: the Properties window, and the
# windowed application animating.
entry() { wine start "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Pyxora\\$1.lnk"; }
setting General ResetSettings 1  # past the first run's welcome
entry "Pyxora Properties"
wait_window "Pyxora Properties" >/dev/null
stop_wine

# The saver in the system folder finds its help in the installed folder: Help, Contents
# hands the contents page to the browser (wine's, told to write down what it was given).
browser="$WORK/browser"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$WORK/opened.txt" >"$browser"
chmod +x "$browser"
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$browser" /f >/dev/null
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null  # what a browser registers
wine "$SAVER" /c 2>>"$WORK/props.err" &
pointer_over "$(wait_window "Pyxora Properties")"
xdotool key --delay 100 alt+h c
for _ in $(seq 100); do [ -s "$WORK/opened.txt" ] && break; sleep 0.1; done
grep -qiE 'Program( |%20)Files[\/]Pyxora[\/]help[\/]index\.html' "$WORK/opened.txt" 2>/dev/null ||
  fail "Help, Contents did not open the installed help (opened: $(cat "$WORK/opened.txt" 2>/dev/null))"
stop_wine
wine "$FOLDER/Pyxora.exe" --settings set General AnimationType 4
entry Pyxora
for _ in $(seq 50); do
  screenshot "$WORK/entry.png"
  [ "$(lit_pixels "$WORK/entry.png" 800x600+0+0)" -gt 100 ] && break
  sleep 0.2
done
[ "$(lit_pixels "$WORK/entry.png" 800x600+0+0)" -gt 100 ] || fail "the Pyxora entry shows no animation"
stop_wine

# The uninstaller's page: its check box (Alt+R) removes the settings too.
wine "$FOLDER/Uninstall.exe" 2>"$WORK/uninstall.err"
press "Pyxora Uninstall ?" alt+r alt+u
close_with "Pyxora Uninstall ?" alt+c
wineserver -w
expect_removed "the uninstaller's page"
wine reg query 'HKCU\Software\Pyxora' >/dev/null 2>&1 && fail "the page's check box left HKCU\\Software\\Pyxora"
exit 0
