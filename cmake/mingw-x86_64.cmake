# Cross toolchain for the 64-bit build of the same sources. It exists for machines whose kernel
# cannot execute 32-bit code: there Wine runs only 64-bit programs, and the Wine tests use this build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
