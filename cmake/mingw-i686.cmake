# Cross build of the 32-bit Windows DLLs with Debian's mingw-w64.
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
# The win32 thread model is enough: the libraries start no threads.
# Set MINGW_PREFIJO (e.g. x86_64-w64-mingw32) to build the 64-bit variant.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT DEFINED MINGW_PREFIJO)
  set(MINGW_PREFIJO i686-w64-mingw32)
endif()
if(MINGW_PREFIJO MATCHES "^x86_64")
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
else()
  set(CMAKE_SYSTEM_PROCESSOR i686)
endif()
# Forwarded to the compiler checks, which read the toolchain file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_PREFIJO)

set(CMAKE_C_COMPILER ${MINGW_PREFIJO}-gcc)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIJO}-g++)
set(CMAKE_RC_COMPILER ${MINGW_PREFIJO}-windres)
set(CMAKE_DLLTOOL ${MINGW_PREFIJO}-dlltool CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${MINGW_PREFIJO}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIJO})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
