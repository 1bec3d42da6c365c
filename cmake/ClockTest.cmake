# GoogleTest from Debian's source package, built with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Paths the tests use to reach the source and build trees through Wine's Z: drive.
set(CLOCK_WINE_SOURCE_DIR "Z:${CMAKE_SOURCE_DIR}")
set(CLOCK_WINE_BINARY_DIR "Z:${CMAKE_BINARY_DIR}")

# clock_add_test(name SOURCES a.cpp ... [RESOURCES t.rc ...] [NO_GTEST_MAIN])
# One executable and one CTest entry per test group: every Wine start costs a second.
function(clock_add_test name)
  cmake_parse_arguments(T "NO_GTEST_MAIN;CONSOLE_ONLY" "" "SOURCES;RESOURCES" ${ARGN})
  add_executable(test_${name} ${T_SOURCES} ${T_RESOURCES}
                 $<TARGET_OBJECTS:clockcore> $<TARGET_OBJECTS:clockres>)
  target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources
                             ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(test_${name} PRIVATE ${CLOCK_CXX_FLAGS})
  target_compile_definitions(test_${name} PRIVATE
      CLOCK_SOURCE_DIR="${CLOCK_WINE_SOURCE_DIR}" CLOCK_BINARY_DIR="${CLOCK_WINE_BINARY_DIR}")
  if(T_NO_GTEST_MAIN)
    target_link_libraries(test_${name} PRIVATE gtest ${CLOCK_LIBS})
  else()
    target_link_libraries(test_${name} PRIVATE gtest_main gtest ${CLOCK_LIBS})
  endif()
  target_link_options(test_${name} PRIVATE ${CLOCK_LINK_FLAGS})
  add_test(NAME ${name} COMMAND test_${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

# clock_add_e2e_test(name /path/script.sh): a shell script that drives the real clock.exe.
function(clock_add_e2e_test name script)
  add_test(NAME e2e_${name} COMMAND bash ${script})
  set_tests_properties(e2e_${name} PROPERTIES TIMEOUT 120 ENVIRONMENT
      "CLOCK_SOURCE=${CMAKE_SOURCE_DIR};CLOCK_BUILD=${CMAKE_BINARY_DIR};WINE_RUN=${CMAKE_BINARY_DIR}/wine-run")
endfunction()
