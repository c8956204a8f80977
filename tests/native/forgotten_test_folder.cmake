# cmake -DLQ_CMAKE_DIR=... -DLQ_WORK=... -P forgotten_test_folder.cmake: a project whose test folder list
# leaves a folder out must not configure, and must name the folder; the same project with it listed must.
file(REMOVE_RECURSE ${LQ_WORK})
foreach(dir listed forgotten)
  file(WRITE ${LQ_WORK}/src/${dir}/CMakeLists.txt "")
endforeach()
foreach(list "listed" "listed forgotten")
  file(WRITE ${LQ_WORK}/src/CMakeLists.txt "cmake_minimum_required(VERSION 3.20)\nproject(forgotten NONE)\n"
             "list(APPEND CMAKE_MODULE_PATH ${LQ_CMAKE_DIR})\ninclude(LqTesting)\nlq_add_test_folders(${list})\n")
  file(REMOVE_RECURSE ${LQ_WORK}/build)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${LQ_WORK}/src -B ${LQ_WORK}/build RESULT_VARIABLE result
                  OUTPUT_QUIET ERROR_VARIABLE errors)
  if(list STREQUAL "listed" AND (result EQUAL 0 OR NOT errors MATCHES "/src/forgotten[ \t\r\n]+has[ \t\r\n]+tests"))
    message(FATAL_ERROR "a forgotten test folder configured (result ${result}): ${errors}")
  elseif(NOT list STREQUAL "listed" AND NOT result EQUAL 0)
    message(FATAL_ERROR "a complete folder list did not configure: ${errors}")
  endif()
endforeach()
