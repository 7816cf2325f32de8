# Shared by the two mingw-w64 toolchains (posix thread model, which the C++
# standard library's threads and GoogleTest need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${PLANNIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PLANNIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PLANNIX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PLANNIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the binaries import nothing but system DLLs.
set(static_runtime "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${static_runtime}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${static_runtime}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${static_runtime}")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run --arch=${PLANNIX_WIN_ARCH})
