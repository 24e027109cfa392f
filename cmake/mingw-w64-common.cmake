# Shared part of the MinGW-w64 toolchain files. Debian's "-posix" compilers
# are used so that both targets get the same threading model.
find_program(CMAKE_C_COMPILER NAMES ${LV_MINGW_PREFIX}-gcc-posix ${LV_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${LV_MINGW_PREFIX}-g++-posix ${LV_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${LV_MINGW_PREFIX}-windres REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${LV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
