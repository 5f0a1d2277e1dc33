# Cross-builds the 32-bit Windows binaries with Debian's mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  i686-w64-mingw32-windres)

# Every binary of ours runs on msvcr100.dll, the C runtime of the hosts that exist: they free the
# browse result with its free, and our modules free each other's memory (the device lookup fills
# the browser's lists), so one heap serves every module. The specs file links msvcr100 where gcc
# links msvcrt; the define makes mingw's headers declare that runtime's functions.
set(VORLANX_CRT_FLAGS "-specs=${CMAKE_CURRENT_LIST_DIR}/msvcr100.specs -D__MSVCRT_VERSION__=0x1000")
set(CMAKE_C_FLAGS_INIT   "${VORLANX_CRT_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${VORLANX_CRT_FLAGS}")

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
