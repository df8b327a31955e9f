# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, for std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PYXORA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PYXORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PYXORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${PYXORA_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PYXORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Nothing to install beside the program on a bare Windows: the C and C++ runtimes and
# winpthread go into it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
