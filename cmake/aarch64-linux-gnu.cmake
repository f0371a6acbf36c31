# Builds lumtune for 64-bit Arm with Debian's cross compilers
# (crossbuild-essential-arm64):
#
#   cmake -S . -B build-arm64 --toolchain cmake/aarch64-linux-gnu.cmake
#
# The tests run them under qemu-user, with the cross libc for their libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
