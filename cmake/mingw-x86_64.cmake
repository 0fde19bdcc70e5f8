# Cross build for 64-bit Windows with MinGW-w64. Where the kernel runs no
# 32-bit Linux programs, 32-bit Wine runs only under emulation; a 64-bit build
# of the Windows tests runs natively under 64-bit Wine while developing.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZV_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
