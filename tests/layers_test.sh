#!/usr/bin/env bash
# Keeps the layers pointing one way: a folder of src/ may include its own folder and the
# ones before it in this order, never a later one; only src/app and main.cpp see Qt or X11.
set -uo pipefail
src="${1:-$(dirname "$0")/../src}"
layers=(base settings render effects host app)

rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}

status=0
while IFS= read -r file; do
  rel="${file#"$src"/}"
  folder="${rel%%/*}"
  [ "$folder" = "$rel" ] && continue  # main.cpp wires everything together
  own=$(rank "$folder")
  if [ "$own" -lt 0 ]; then
    echo "$rel: folder '$folder' is no layer (${layers[*]})"
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
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
  if [ "$folder" != app ] && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q[A-Za-z]*|xcb/|X11/|SDL)' "$file"; then
    echo "$rel: only src/app may include Qt, X11 or SDL headers"
    status=1
  fi
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
