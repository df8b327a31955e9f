# The Debian package, checked only in CI and only as root: cpack -G DEB builds it,
# dpkg-deb -c lists every file an installation needs, lintian finds no error or
# warning in it, apt-get installs it with its dependencies, the installed program
# runs, its AppStream file is valid, and dpkg -r leaves none of its files behind.
# The package never stays installed.
source "$(dirname "$0")/lib.sh" "$1"
if [ "${CI:-}" != true ] || [ "$(id -u)" -ne 0 ]; then
  echo "skipped: the package check runs in CI as root only"
  exit 77
fi
if dpkg-query -W -f='${Status}' pyxora 2>/dev/null | grep -q "ok installed"; then
  echo "skipped: a pyxora package is installed here already, and it is left alone"
  exit 77
fi
export DEBIAN_FRONTEND=noninteractive
build="$(dirname "$PYXORA")"
(cd "$build" && cpack -G DEB -B "$WORK/deb" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$(ls "$WORK"/deb/pyxora_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "cpack made no pyxora_*.deb"

dpkg-deb -c "$deb" | awk '{print $6}' >"$WORK/contents"
for file in ./usr/bin/pyxora ./usr/bin/pyxora-window ./usr/libexec/xscreensaver/pyxora \
  ./usr/share/xscreensaver/config/pyxora.xml ./usr/share/man/man6/pyxora.6.gz \
  ./usr/share/applications/pyxora.desktop ./usr/share/applications/pyxora-properties.desktop \
  ./usr/share/pyxora/help/index.html ./usr/share/icons/hicolor/scalable/apps/pyxora.svg \
  ./usr/share/man/man6/pyxora-window.6.gz ./usr/share/doc/pyxora/copyright ./usr/share/doc/pyxora/changelog.gz; do
  grep -qx -- "$file" "$WORK/contents" || fail "the package lacks $file"
done
metainfo=$(grep -x '\./usr/share/metainfo/.*\.pyxora\.metainfo\.xml' "$WORK/contents" | head -n1 || true)
[ -n "$metainfo" ] || fail "the package lacks an AppStream file"
metainfo="${metainfo#.}"
# No copyright file, no changelog, a maintainer on localhost: what lintian reported.
lintian --fail-on error,warning "$deb" >"$WORK/lintian.log" 2>&1 || { cat "$WORK/lintian.log" >&2; fail "lintian: $(grep -E '^[EW]:' "$WORK/lintian.log" | head -n3)"; }
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libxcb1 libstdc++6 libc6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

remove_package() { dpkg -r pyxora >/dev/null 2>&1 || true; }
trap 'remove_package; cleanup' EXIT
apt-get install -y -qq --no-install-recommends "$deb" >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log" >&2; fail "apt-get install failed"; }

expected="$("$PYXORA" --version)"
[ "$(/usr/bin/pyxora --version)" = "$expected" ] || fail "the installed pyxora does not run"
[ "$(/usr/libexec/xscreensaver/pyxora --version)" = "$expected" ] || fail "the installed hack does not run"
/usr/bin/pyxora-window --version >/dev/null || fail "pyxora-window does not run"
cmp -s /usr/share/xscreensaver/config/pyxora.xml "$build/pyxora.xml" || fail "the installed pyxora.xml is not the built one"
zcat /usr/share/man/man6/pyxora.6.gz | grep -q '^\.TH PYXORA 6' || fail "the man page is not one"
appstreamcli validate --no-net "$metainfo" >"$WORK/appstream.log" 2>&1 ||
  { cat "$WORK/appstream.log" >&2; fail "the AppStream file is not valid"; }

dpkg -r pyxora >"$WORK/remove.log" 2>&1 || { cat "$WORK/remove.log" >&2; fail "dpkg -r failed"; }
! dpkg-query -W -f='${Status}' pyxora 2>/dev/null | grep -q "ok installed" || fail "still installed after dpkg -r"
while read -r file; do
  path="${file#.}"
  case "$path" in
    */) [[ "$path" == /usr/share/pyxora/* ]] && [ -d "$path" ] && fail "dpkg -r left $path" ;;
    *) { [ -e "$path" ] || [ -L "$path" ]; } && fail "dpkg -r left $path" ;;
  esac
done <"$WORK/contents"
echo ok
