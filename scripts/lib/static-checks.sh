# clang-tidy and cppcheck over src/; any finding fails. Sourced by scripts/test.

static_checks() {
  local logic platform_args dir
  logic=$(ls src/text/*.cpp src/paths/*.cpp src/cmdline/*.cpp src/launch/*.cpp)
  echo "clang-tidy: logic"
  clang-tidy --quiet -p build/host $logic
  # The exe-only files as the cross compiler sees them: its own system headers.
  platform_args=(--target=i686-w64-mingw32 -std=c++17 -Isrc)
  while read -r dir; do
    platform_args+=(-isystem "$dir")
  done < <(echo | i686-w64-mingw32-g++ -E -x c++ - -v 2>&1 |
           sed -n '/<...> search starts here/,/End of search/p' | grep '^ ' | sed 's/^ //')
  echo "clang-tidy: platform and entry"
  clang-tidy --quiet src/platform/*.cpp src/main.cpp -- "${platform_args[@]}"
  echo "cppcheck"
  # useStlAlgorithm: the exe links no C++ library, so plain loops stay.
  cppcheck --quiet --error-exitcode=1 --std=c++17 --language=c++ \
    --enable=warning,style,performance,portability --inline-suppr \
    --suppress=missingIncludeSystem --suppress=useStlAlgorithm -Isrc src
}
