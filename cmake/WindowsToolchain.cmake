# Cross-building for 64-bit Windows with Debian's mingw-w64 (the posix thread model, so
# std::thread and std::mutex exist). Libraries are searched only in the mingw sysroot and in
# KINLOOM_WINDOWS_DEPS, where the Windows build of zlib, libpng and libjpeg-turbo is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Toolchain files are read again by try_compile projects, which see only the cache and these.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KINLOOM_WINDOWS_DEPS)
if(NOT KINLOOM_WINDOWS_DEPS AND DEFINED ENV{KINLOOM_WINDOWS_DEPS})
  set(KINLOOM_WINDOWS_DEPS $ENV{KINLOOM_WINDOWS_DEPS})
endif()

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${KINLOOM_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in, so the programs run without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
