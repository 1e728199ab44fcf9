# Cross-builds the Windows programs on Debian with MinGW-w64 (POSIX threads).
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DTINTBAR_WINDOWS_PREFIX=<the cross-built libraries' prefix>
#
# The executables link the compiler's runtimes statically, so that they
# import only the system's DLLs; the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(tintbar_mingw_host x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${tintbar_mingw_host}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tintbar_mingw_host}-g++-posix)
set(CMAKE_RC_COMPILER ${tintbar_mingw_host}-windres)

set(TINTBAR_WINDOWS_PREFIX "" CACHE PATH "Prefix of the cross-built wxWidgets and libpng")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TINTBAR_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${tintbar_mingw_host} ${TINTBAR_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Static libraries only, and the cross-built toolkit's own wx-config rather
# than the build machine's.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
set(ZLIB_USE_STATIC_LIBS ON)
if(TINTBAR_WINDOWS_PREFIX)
  set(wxWidgets_CONFIG_EXECUTABLE ${TINTBAR_WINDOWS_PREFIX}/bin/wx-config)
endif()
