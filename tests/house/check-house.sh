#!/usr/bin/env bash
# The house's rules, read off the sources: no file of the statistics library over 400 lines,
# and no folder including a header of a folder above it. The folders from the bottom up: the
# library's public headers (stat/ itself), its layers core, quadrature, families and fit, then
# text, cli, ui, random and app.
set -u
top=${1:?source folder}
cd "$top" || exit 2
failed=0

while read -r lines file; do
  [ "$file" = total ] && continue
  if [ "$lines" -gt 400 ]; then
    echo "$file has $lines lines (at most 400)"
    failed=1
  fi
done < <(find stat -name '*.cpp' -o -name '*.h' | xargs wc -l)

# A folder's own files: stat/ alone holds only its public headers, its layers are folders of
# their own.
files_of() {
  if [ "$1" = stat ]; then
    find stat -maxdepth 1 "${@:2}"
  else
    find "$1" "${@:2}"
  fi
}

order=(stat stat/core stat/quadrature stat/families stat/fit text cli ui random app)
declare -A level
for i in "${!order[@]}"; do
  while read -r header; do
    level[$(basename "$header")]=$i
  done < <(files_of "${order[$i]}" -name '*.h')
done
for i in "${!order[@]}"; do
  while IFS=: read -r file _ include; do
    name=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$include")
    at=${level[$(basename "$name")]:-}
    if [ -n "$at" ] && [ "$at" -gt "$i" ]; then
      echo "$file includes $name of ${order[$at]}/, a folder above ${order[$i]}/"
      failed=1
    fi
  done < <(files_of "${order[$i]}" \( -name '*.cpp' -o -name '*.h' \) -exec grep -Hn '#include "' {} +)
done
exit $failed
