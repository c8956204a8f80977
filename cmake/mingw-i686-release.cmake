# Release toolchain (tools/release): the deliverables as shipped. Same target and compiler version as
# cmake/mingw-i686.cmake, with three differences, each because the deliverables do not use what it drops:
# - the win32 thread model: the programs start no thread, so the C++ runtime locks with Windows critical
#   sections instead of carrying the POSIX thread layer (about 30 KB);
# - size flags: -Os, a section per function and datum, garbage collection of unreferenced sections, no
#   exception or unwind tables (nothing in the deliverables throws or catches, and a failure ends the
#   program either way: tools/release-runtime.cpp) and no thread-safe local statics (one thread);
# - determinism: no build folder in the binaries and no link time stamp, so one commit gives one set of bytes.
# Debug information is on (-g changes no code); tools/release moves it into separate files and strips.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)

set(LQ_RELEASE ON)
set(lq_release_common "-g -ffunction-sections -fdata-sections -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build")
set(CMAKE_C_FLAGS_INIT "${lq_release_common}")
set(CMAKE_CXX_FLAGS_INIT "${lq_release_common} -fno-exceptions -fno-threadsafe-statics -fno-asynchronous-unwind-tables -fno-unwind-tables")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--gc-sections -Wl,--no-insert-timestamp")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--gc-sections -Wl,--no-insert-timestamp")
