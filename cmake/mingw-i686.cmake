# Windows x86 (32-bit) with MinGW-w64. Tests run under Wine's 32-bit loader (natively, or under
# user-mode emulation where the kernel runs no 32-bit code).
set(QX71_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QX71_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
