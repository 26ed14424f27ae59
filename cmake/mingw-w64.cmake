# Cross build for 64-bit Windows with mingw-w64 (Debian's posix-thread
# compilers). Programs are linked statically, so that wine (or Windows) runs
# them without the compiler's DLLs next to them; with wine installed, ctest
# runs the test programs through it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NUMERA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NUMERA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NUMERA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NUMERA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NUMERA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(NUMERA_WINE wine)
if(NUMERA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${NUMERA_WINE})
endif()
