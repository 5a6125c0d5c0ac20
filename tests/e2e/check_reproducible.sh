#!/bin/sh
# Two clean builds of the same sources and branding, in folders of different
# names, must give the same bytes as each other and as the build under test.
#   check_reproducible.sh SOURCE_DIR BUILT_EXE [-DNAME=VALUE ...]
set -eu
src=$1
built=$2
shift 2
a=$(mktemp -d /tmp/orvalaunch-repro-a.XXXXXX)
b=$(mktemp -d /tmp/orvalaunch-repro-other-b.XXXXXX)
trap 'rm -rf "$a" "$b"' EXIT
for dir in "$a" "$b"; do
  cmake -S "$src" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" --target orvalaunch >/dev/null
done
cmp "$a/src/orvalaunch.exe" "$b/src/orvalaunch.exe"
cmp "$a/src/orvalaunch.exe" "$built"
echo "identical builds: $(sha256sum < "$built")"
