# Cross-compiling for 32-bit Windows with clang and lld, on MinGW-w64's
# headers and import libraries; the test programs also link its C and C++
# runtimes. clang -Oz with LTO and lld's section merging make the smallest
# launcher (see src/CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
# Archives of LTO objects need an archiver that reads them.
set(CMAKE_AR llvm-ar)
set(CMAKE_RANLIB llvm-ranlib)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not find the C++ library of Debian's MinGW GCC by itself (its
# folder is named like 12-win32), so the GCC tells where it is.
execute_process(COMMAND ${MINGW_TRIPLE}-g++ -print-libgcc-file-name
                OUTPUT_VARIABLE _libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(_gcc_dir "${_libgcc}" DIRECTORY)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${_gcc_dir}/include/c++ -isystem ${_gcc_dir}/include/c++/${MINGW_TRIPLE}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${_gcc_dir}")
