# Cross-building for 64-bit Windows with Debian's MinGW-w64 (POSIX threads,
# which Qt needs). Used both for Qt itself and for the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVO_MINGW}-windres)

# The compiler's own folder (/usr/lib/gcc/x86_64-w64-mingw32/N-posix) holds
# libstdc++; the target's headers and import libraries live in /usr/ORVO_MINGW.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Without -static every program asks for libstdc++-6.dll and
# libwinpthread-1.dll, which Windows does not have.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
