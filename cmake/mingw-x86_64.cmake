# Windows x64 with MinGW-w64. Tests run under Wine's 64-bit loader directly: Debian's `wine`
# wrapper starts the 32-bit loader first, which fails where the kernel runs no 32-bit code.
set(QX71_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QX71_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
