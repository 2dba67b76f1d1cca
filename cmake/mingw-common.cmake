# Shared part of the MinGW-w64 toolchain files; the including file sets QX71_MINGW_TRIPLET,
# CMAKE_SYSTEM_PROCESSOR and QX71_WINE_LOADER (the Wine loader that runs this target's test
# programs). The POSIX thread model gives std::thread/std::mutex (GoogleTest needs them);
# libwinpthread is linked statically like the rest of the runtime.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QX71_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QX71_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QX71_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QX71_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QX71_WINE_LOADER})
