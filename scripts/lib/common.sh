# Shared by the scripts: install what is missing, build, stop Wine.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# The project's own 32-bit prefix for the demo, the benchmarks and the release
# check; CTest runs the end-to-end cases in it and in a 64-bit one beside it.
# tests/e2e/winelab.py sets Wine's other variables.
export WINEPREFIX="$ROOT/build/windows/wine-prefix-win32" WINEARCH=win32

# Debian's own python3, which python3-pefile serves; another python3 may come
# first on PATH.
PYTHON=/usr/bin/python3

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages the build and the tests need; apt runs only when one is missing.
PACKAGES=(cmake g++ make googletest libgtest-dev g++-mingw-w64-i686
          binutils-mingw-w64-i686 wine wine32:i386 wine64 locales python3
          clang lld llvm libclang-rt-14-dev clang-tidy cppcheck openssl osslsigncode
          python3-pefile icoutils)
LOCALES=(en_US.UTF-8 ja_JP.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8 ko_KR.UTF-8)

install_missing() {
  local missing=() p
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
  fi
  install_locales
}

install_locales() {
  local available changed=0 l
  available=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  for l in "${LOCALES[@]}"; do
    local key
    key=$(echo "$l" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
    if ! grep -qx "$key" <<<"$available"; then
      as_root sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
      grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
      changed=1
    fi
  done
  [ $changed -eq 0 ] || as_root locale-gen
}

build_windows() {
  build_preset windows
  mkdir -p "$ROOT/dist"
  cp "$ROOT/build/windows/src/orvalaunch.exe" "$ROOT/dist/orvalaunch.exe"
}

# A vendor's branding, from the options of scripts/build and scripts/release.
BRANDING_USAGE="[--icon FILE.ico | --icon-from PROGRAM.exe] [--company TEXT]
  [--product TEXT] [--description TEXT] [--copyright TEXT]
  [--product-version TEXT] [--original-filename NAME]"
declare -A BRANDING=()

# Takes one branding option and its value from "$@"; returns 1 for any other.
take_branding_option() {
  local variable
  case ${1:-} in
    --icon) variable=ORVALAUNCH_ICON ;;
    --icon-from) variable=ORVALAUNCH_ICON_FROM ;;
    --company) variable=ORVALAUNCH_COMPANY ;;
    --product) variable=ORVALAUNCH_PRODUCT ;;
    --description) variable=ORVALAUNCH_DESCRIPTION ;;
    --copyright) variable=ORVALAUNCH_COPYRIGHT ;;
    --product-version) variable=ORVALAUNCH_PRODUCT_VERSION ;;
    --original-filename) variable=ORVALAUNCH_ORIGINAL_FILENAME ;;
    *) return 1 ;;
  esac
  if [ $# -lt 2 ]; then
    echo "$1 needs a value" >&2
    exit 2
  fi
  # Files by their full path: CMake runs in the build folder.
  case $variable in
    ORVALAUNCH_ICON|ORVALAUNCH_ICON_FROM) BRANDING[$variable]=$(realpath -m -- "$2") ;;
    *) BRANDING[$variable]=$2 ;;
  esac
}

# The exe into OUT_DIR/orvalaunch.exe: the default build, or with branding
# its own build folder, where every branding variable is set anew so that
# none stays from an earlier build.
build_exe() {
  local out=$1 name args=()
  if [ ${#BRANDING[@]} -eq 0 ]; then
    build_windows
  else
    for name in ORVALAUNCH_ICON ORVALAUNCH_ICON_FROM ORVALAUNCH_COMPANY ORVALAUNCH_PRODUCT \
                ORVALAUNCH_DESCRIPTION ORVALAUNCH_COPYRIGHT ORVALAUNCH_PRODUCT_VERSION \
                ORVALAUNCH_ORIGINAL_FILENAME; do
      args+=("-D$name=${BRANDING[$name]:-}")
    done
    cmake --preset windows -B "$ROOT/build/windows-branded" "${args[@]}" >/dev/null
    cmake --build "$ROOT/build/windows-branded" --target orvalaunch -j"$(nproc)"
    mkdir -p "$out"
    cp "$ROOT/build/windows-branded/src/orvalaunch.exe" "$out/orvalaunch.exe"
    return
  fi
  if [ "$out" != "$ROOT/dist" ]; then
    mkdir -p "$out"
    cp "$ROOT/dist/orvalaunch.exe" "$out/orvalaunch.exe"
  fi
}

build_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j"$(nproc)"
}

stop_wine() {
  local arch
  for arch in win32 win64; do
    WINEPREFIX="$ROOT/build/windows/wine-prefix-$arch" wineserver -k >/dev/null 2>&1 || true
  done
}
