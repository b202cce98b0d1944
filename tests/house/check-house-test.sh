#!/usr/bin/env bash
# The house check catches what it is for: on a copy of the sources it passes, and it fails,
# naming the file, on an include planted from core/ into families/, from quadrature/ into fit/
# and from the library into the windows' kit.
set -u
here=$(cd "$(dirname "$0")" && pwd)
top=${1:?source folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

fresh() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree"
  cp -r "$top"/stat "$top"/text "$top"/ui "$top"/random "$top"/app "$work/tree"
}

fresh
if ! out=$(bash "$here/check-house.sh" "$work/tree"); then
  echo "the clean sources fail the check:"
  echo "$out"
  failed=1
fi

plant() {  # file, header: the check must fail and name the file
  fresh
  echo "#include \"$2\"" >>"$work/tree/$1"
  if out=$(bash "$here/check-house.sh" "$work/tree"); then
    echo "an include of $2 planted in $1 passes the check"
    failed=1
  elif ! grep -q "^$1 includes $2" <<<"$out"; then
    echo "the check fails on $2 planted in $1 without naming it: $out"
    failed=1
  fi
}
plant stat/core/SortIndex.cpp Family.h
plant stat/core/StatInternal.h Weibull.h
plant stat/quadrature/Grid.cpp GoodnessOfFit.h
plant stat/families/Weibull.cpp GoodnessOfFit.h
plant stat/fit/Ranking.cpp Controls.h
exit $failed
