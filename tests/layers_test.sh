#!/usr/bin/env bash
# Keeps the layers pointing one way: a folder of src/ may include its own folder and the
# ones before it in this order, never a later one. The two platform sides share the last
# rank and never see each other: src/app is the Qt side (Qt, X11, SDL), src/win the Win32
# side. Every other folder is neither; there only the Windows side of a seam (a file named
# *_windows.cpp) may call Windows.
set -uo pipefail
src="${1:-$(dirname "$0")/../src}"
layers=(base settings render effects host app)
qt_headers='<(Q[A-Za-z]*|xcb/|X11/|SDL)'
win_headers='<(windows|winuser|wingdi|winreg|mmsystem|shellapi|shlobj|commctrl|ntstatus)\.h>'

rank() {
  local i
  [ "$1" = win ] && set -- app  # beside the Qt side
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}

status=0
includes() { grep -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*$2" "$1"; }
while IFS= read -r file; do
  rel="${file#"$src"/}"
  folder="${rel%%/*}"
  [ "$folder" = "$rel" ] && continue  # main.cpp wires everything together
  own=$(rank "$folder")
  if [ "$own" -lt 0 ]; then
    echo "$rel: folder '$folder' is no layer (${layers[*]} win)"
    status=1
    continue
  fi
  while IFS= read -r line; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$line")
    top="${target%%/*}"
    [ "$top" = "$target" ] && continue
    theirs=$(rank "$top")
    if [ "$theirs" -gt "$own" ]; then
      echo "$rel includes $target: '$folder' may not use the later layer '$top'"
      status=1
    elif [ "$theirs" -eq "$own" ] && [ "$top" != "$folder" ]; then
      echo "$rel includes $target: the Qt and Win32 sides never use each other"
      status=1
    fi
  done < <(includes "$file" '"')
  if [ "$folder" != app ] && includes "$file" "$qt_headers" >/dev/null; then
    echo "$rel: only src/app may include Qt, X11 or SDL headers"
    status=1
  fi
  if [ "$folder" != win ] && [[ "$rel" != *_windows.cpp ]] && includes "$file" "$win_headers" >/dev/null; then
    echo "$rel: only src/win and the Windows side of a seam (*_windows.cpp) may include Windows headers"
    status=1
  fi
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
