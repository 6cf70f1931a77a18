# Cross-building the core and the command-line programs for 64-bit Windows with mingw-w64
# (the POSIX-threads flavour, which std::thread and std::mutex need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PELMORA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PELMORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELMORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PELMORA_MINGW_TRIPLET}-windres)

# Libraries come from the mingw sysroot and from the prefix scripts/build-windows.sh fills;
# programs (code generators) still come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${PELMORA_MINGW_TRIPLET} ${PELMORA_WINDOWS_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that needs no DLL beside it: the C and C++ runtimes and winpthread linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run under Wine; scripts/build-windows.sh sets up its prefix and services.
find_program(PELMORA_WINE wine)
if(PELMORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PELMORA_WINE})
endif()
