# Second cross toolchain: clang 14 targeting x86_64-w64-mingw32 over Debian's mingw-w64
# headers, libraries and GCC's libstdc++ (posix thread flavour), so both compilers
# produce the same kind of self-contained exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_tc x86_64-w64-mingw32)
# clang does not look for GCC's libstdc++ under Debian's "12-posix" directory name.
set(_gcc /usr/lib/gcc/${_tc}/12-posix)
set(CMAKE_C_COMPILER   clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET   ${_tc})
set(CMAKE_CXX_COMPILER_TARGET ${_tc})
set(CMAKE_RC_COMPILER  ${_tc}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_tc})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# libstdc++ was built by GCC with emulated TLS (else std::__once_callable is missing),
# and GCC predefines the type_info macro for mingw where clang does not (else
# type_info::operator== is defined twice).
set(CMAKE_C_FLAGS_INIT "-femulated-tls")
set(CMAKE_CXX_FLAGS_INIT "-femulated-tls -D__GXX_TYPEINFO_EQUALITY_INLINE=0 -isystem ${_gcc}/include/c++ -isystem ${_gcc}/include/c++/${_tc} -isystem ${_gcc}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -L${_gcc}")
# NOTE: ld then warns "duplicate section .rdata$_ZTS... has different size" for the
# type-name strings both compilers emit; it keeps one copy, and exceptions and typeid
# still work across code from the two.
# libstdc++ and libgcc_eh need winpthread after them; clang's driver does not order it so.
set(CMAKE_CXX_STANDARD_LIBRARIES "-lstdc++ -lgcc_eh -lwinpthread -lkernel32 -luser32 -lgdi32 -lwinspool -lshell32 -lole32 -loleaut32 -luuid -lcomdlg32 -ladvapi32" CACHE STRING "")
find_program(WINE_EXECUTABLE NAMES wine64 wine)
if(WINE_EXECUTABLE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_EXECUTABLE})
endif()
