# Cross-building the Windows programs on Debian: the MinGW-w64 compiler with
# POSIX threads (std::thread and std::mutex need them), linked statically so
# the .exe files need only the system's own DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Headers and libraries come from the MinGW tree only, never the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The test programs run under wine where a step of the build runs them.
find_program(SCENARI_WINE wine)
if(SCENARI_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SCENARI_WINE})
endif()
