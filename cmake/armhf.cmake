# SPDX-License-Identifier: Apache-2.0
# Cross build for the controller: 32-bit ARM Linux, hard-float ABI (Debian's arm-linux-gnueabihf).
#   scripts/armhf-cmake -S . -B build-armhf     (cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE=this file)
# Programs built here run on the build machine through qemu-arm user emulation: the sample
# database generator during the build, and the test executables and the tool under ctest.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(ORVANTIS_CROSS_TRIPLE arm-linux-gnueabihf)
set(CMAKE_C_COMPILER ${ORVANTIS_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${ORVANTIS_CROSS_TRIPLE}-g++)

# The project itself builds with 64-bit file offsets (_FILE_OFFSET_BITS=64), whatever the toolchain.

# Debian's multiarch cross packages keep the target's headers and libraries here. A staging tree
# of libraries built for the target (scripts/cross-test's GoogleTest) is one more search root,
# given as -DCMAKE_FIND_ROOT_PATH=DIR.
set(ORVANTIS_CROSS_ROOT /usr/${ORVANTIS_CROSS_TRIPLE})
list(APPEND CMAKE_FIND_ROOT_PATH ${ORVANTIS_CROSS_ROOT})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -L points qemu-arm's dynamic loader and libraries at the target's root. The path is absolute
# because the end-to-end tests start the emulator with execve, which does not search PATH.
find_program(ORVANTIS_QEMU_ARM NAMES qemu-arm qemu-arm-static)
if(NOT ORVANTIS_QEMU_ARM)
  message(FATAL_ERROR "qemu-arm not found: install the qemu-user package")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVANTIS_QEMU_ARM};-L;${ORVANTIS_CROSS_ROOT})
