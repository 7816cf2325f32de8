# The same code for 64-bit Windows: what 64-bit Wine runs the Windows tests
# on, where a machine cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(PLANNIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(PLANNIX_WIN_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
