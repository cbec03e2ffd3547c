# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, so
# std::thread and std::mutex work). TAVRIN_WINDOWS_PREFIX names the folder the
# cross-built SQLite and Qt were installed into (scripts/windows-deps.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(TAVRIN_WINDOWS_PREFIX "" CACHE STRING "Prefixes of the cross-built third-party code")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAVRIN_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${TAVRIN_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
