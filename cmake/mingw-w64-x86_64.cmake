# Cross-build for 64-bit Windows with Debian's mingw-w64 compilers (scripts/windows uses it).
#
# The libraries come from the prefix scripts/windows builds them into: the environment
# variable GLIMMERAX_WINDOWS_PREFIX names it, else build-windows/prefix in this source tree.
# The C and C++ runtimes are linked statically, so the program needs no compiler DLLs. The
# win32 thread model is used: the game starts no threads of its own and SDL uses Windows
# threads, so the POSIX model's winpthread DLL would only be one more file to ship.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(DEFINED ENV{GLIMMERAX_WINDOWS_PREFIX})
  set(GLIMMERAX_WINDOWS_PREFIX "$ENV{GLIMMERAX_WINDOWS_PREFIX}")
else()
  get_filename_component(GLIMMERAX_WINDOWS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build-windows/prefix"
                         ABSOLUTE)
endif()

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${GLIMMERAX_WINDOWS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# FindGLEW looks for a Windows DLL's import library under the Visual C++ name only
# (glew32.lib); the prefix holds the MinGW one.
set(GLEW_SHARED_LIBRARY_RELEASE "${GLIMMERAX_WINDOWS_PREFIX}/lib/libglew32.dll.a"
    CACHE FILEPATH "GLEW's import library")
