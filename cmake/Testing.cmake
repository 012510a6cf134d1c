# GoogleTest built from the system sources with the same toolchain.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# tessaly_test(NAME SOURCES a_test.cpp ... LIBS lib ... [LABELS unit|window] [TIMEOUT s])
# One executable and one CTest entry per call; Wine runs it as the cross-compiling emulator.
function(tessaly_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
endfunction()

# tessaly_e2e(NAME script.sh [TIMEOUT s]): an end-to-end scenario run by bash with e2e/lib.sh at
# hand; it gets TESSALY_BUILD (the build folder) and TESSALY_ROOT (the sources).
function(tessaly_e2e name script)
  cmake_parse_arguments(E "" "TIMEOUT" "" ${ARGN})
  if(NOT E_TIMEOUT)
    set(E_TIMEOUT 180)
  endif()
  add_test(NAME ${name} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/${script})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${E_TIMEOUT} LABELS e2e
    ENVIRONMENT "TESSALY_BUILD=${CMAKE_BINARY_DIR};TESSALY_ROOT=${CMAKE_SOURCE_DIR}")
endfunction()
