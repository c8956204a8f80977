# Test helpers shared by every folder.
#
# lq_native_test(NAME SOURCES ... [LIBS ...])
#   A native GoogleTest binary, registered with ctest.
#
# lq_win_test(NAME SOURCES ... [LIBS ...] [LOCALE ko|en] [WINVER winxp|win7|win10] [ARCH win32|win64]
#             [REG file.reg ...] [FILES "SRC=C:\\dst" ...] [TIMEOUT seconds] [ARGS ...] [ENV VAR=value ...])
#   A Windows GoogleTest binary, run by ctest on a fresh Wine machine of its own (tools/wine-run),
#   seeded as given: ARCH win64 is a 64-bit Windows 7 or 10 (WINVER; XP is 32-bit only), where the binary
#   runs under WoW64 (default win32).
#   Screenshots it saves land in ${CMAKE_BINARY_DIR}/screenshots.
#   [DPI n]: the machine's screen at n dots per inch (LQ_DPI: 120 is 125 %, 144 is 150 %, 192 is 200 %);
#   without it 96. A run given a DPI puts its screenshots in screenshots/dpi<n>.
#
# lq_skipped_test(NAME REASON): a test that only says that it was skipped and why (ctest counts it as not run),
#   in place of one that needs a tool this machine lacks: the product configures and builds without the tools
#   only tests use (tools/install-deps installs them).
#
# lq_add_test_folders(DIR ...): adds each folder of the list; a folder beside them that holds a CMakeLists.txt
#   but is not in the list is a configure error, since its tests would never be built or run.
include_guard(GLOBAL)

function(lq_skipped_test name reason)
  message(STATUS "${name} skipped: ${reason}")
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "skipped: ${reason}")
  set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "skipped:")
endfunction()

function(lq_add_test_folders)
  file(GLOB lists RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(list ${lists})
    get_filename_component(dir ${list} DIRECTORY)
    if(NOT dir IN_LIST ARGN)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${dir} has tests, but ${CMAKE_CURRENT_LIST_FILE} does not list "
                          "it: its tests would never run. Add it to the folder list.")
    endif()
  endforeach()
  foreach(dir ${ARGN})
    add_subdirectory(${dir})
  endforeach()
endfunction()

function(lq_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

function(lq_win_test name)
  cmake_parse_arguments(T "" "LOCALE;WINVER;ARCH;TIMEOUT;DPI" "SOURCES;LIBS;REG;FILES;ARGS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gmock gtest_main)
  lq_add_win_test(${name} ${name} LOCALE "${T_LOCALE}" WINVER "${T_WINVER}" ARCH "${T_ARCH}" TIMEOUT "${T_TIMEOUT}"
                  DPI "${T_DPI}" REG ${T_REG} FILES ${T_FILES} ARGS ${T_ARGS} ENV ${T_ENV})
endfunction()

# Registers one more ctest run of an existing Windows target on its own machine (another seeding).
function(lq_add_win_test test_name target)
  cmake_parse_arguments(T "" "LOCALE;WINVER;ARCH;TIMEOUT;DPI" "REG;FILES;ARGS;ENV" ${ARGN})
  if(NOT T_LOCALE)
    set(T_LOCALE en)
  endif()
  if(NOT T_WINVER)
    set(T_WINVER win7)
  endif()
  if(NOT T_ARCH)
    set(T_ARCH win32)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 240)
  endif()
  # A 64-bit machine's screenshots go to a folder of their own, beside those of its 32-bit twin.
  set(artifacts ${CMAKE_BINARY_DIR}/screenshots)
  if(T_ARCH STREQUAL "win64")
    set(artifacts ${artifacts}/win64)
  endif()
  if(T_WINVER STREQUAL "win10")  # and so do a Windows 10 machine's, beside its Windows 7 twin's
    set(artifacts ${artifacts}/win10)
  endif()
  if(T_DPI)
    set(artifacts ${artifacts}/dpi${T_DPI})
  endif()
  list(JOIN T_REG "\\;" reg)
  list(JOIN T_FILES "\\;" files)
  # The machine's own limit comes first, so that it is still torn down when a program hangs.
  math(EXPR machine_timeout "${T_TIMEOUT} - 20")
  add_test(NAME ${test_name} COMMAND ${target} ${T_ARGS})
  set_tests_properties(${test_name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "LQ_LOCALE=${T_LOCALE};LQ_WINVER=${T_WINVER};LQ_ARCH=${T_ARCH};LQ_REG=${reg};LQ_FILES=${files};LQ_TIMEOUT=${machine_timeout};LQ_ARTIFACTS=${artifacts};LQ_DPI=${T_DPI};${T_ENV}")
endfunction()

# lq_fuzz_target(NAME SOURCES ... [LIBS ...]): a libFuzzer binary (only in the LQ_FUZZ build).
function(lq_fuzz_target name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${T_LIBS})
endfunction()
