# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads).
# Used both to build Qt for Windows and to build the program against it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

# The mingw-w64 compilers with the posix thread model, which std::thread needs.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and packages for Windows come from the mingw sysroot and from the
# prefixes given in NLT_WINDOWS_PREFIXES (the Qt and GoogleTest built for
# Windows); programs always come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $ENV{NLT_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
