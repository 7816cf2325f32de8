# The product: 32-bit Windows, as the host loads it.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(PLANNIX_MINGW_TRIPLE i686-w64-mingw32)
set(PLANNIX_WIN_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
