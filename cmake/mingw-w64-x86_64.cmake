# Cross-compiling for 64-bit Windows with Debian's MinGW-w64. The "-posix"
# compilers (g++-mingw-w64-x86-64-posix) use winpthreads, which std::thread and
# std::mutex in Qt need; the "-win32" ones do not have them.
#
#   cmake -S . -B build-windows -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DLINKBENCH_QT_WINDOWS=/path/to/qt6-win-6.4.2
#
# scripts/windows does this, and finds or unpacks a Qt for Windows first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LINKBENCH_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LINKBENCH_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LINKBENCH_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LINKBENCH_MINGW}-windres)

# The Qt built for Windows; moc, rcc and uic come from the host's Qt of the
# same version (Debian's qt6-base-dev-tools under /usr).
set(LINKBENCH_QT_WINDOWS "" CACHE PATH "Prefix of a Qt 6.4 or later built with MinGW-w64")
# The compiler checks configure projects of their own: they need the root too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LINKBENCH_QT_WINDOWS)
set(QT_HOST_PATH /usr CACHE PATH "Host Qt for moc, rcc and uic")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt's CMake packages")

# Headers, libraries and packages only from the Windows roots; programs only
# from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${LINKBENCH_MINGW} ${LINKBENCH_QT_WINDOWS})
list(APPEND CMAKE_PREFIX_PATH ${LINKBENCH_QT_WINDOWS}/lib/cmake)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine when CTest or a script asks for it.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
