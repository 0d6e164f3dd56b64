# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit Windows with mingw-w64 on Debian.
#
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DVELMORA_THIRD_PARTY_INCLUDE=<folder holding only CLI/ and nlohmann/>
#
# The posix-thread variant of the compiler is required: the win32 variant has no
# std::mutex or std::thread. Programs are linked statically, so the .exe files run under
# wine (and on Windows) without any mingw DLL beside them.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELMORA_MINGW_TRIPLET x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${VELMORA_MINGW_TRIPLET}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${VELMORA_MINGW_TRIPLET}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VELMORA_MINGW_TRIPLET}-windres)

# Libraries, headers and packages come from the mingw sysroot only, never from the Linux
# system (its GTest, CLI11 and json packages are Linux builds).
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs (and gtest_discover_tests) run through wine. The prefix lives in the build
# folder, so a build never touches the user's own ~/.wine.
find_program(VELMORA_WINE NAMES wine wine64)
if(VELMORA_WINE AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${VELMORA_WINE} ${CMAKE_BINARY_DIR}/wineprefix)
endif()
