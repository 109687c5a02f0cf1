# GoogleTest: the system package natively; built from Debian's source package for Windows.
if(TRIMWISE_WINDOWS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # googletest itself is not ours to hold to -Werror or CP1252.
  foreach(t gtest gtest_main gmock gmock_main)
    target_compile_options(${t} PRIVATE -w -fexec-charset=UTF-8)
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# trimwise_test(NAME [PREFIX p] [WORKING_DIRECTORY dir] SOURCES... LIBS ...): one GoogleTest
# program, registered with CTest (natively each case as its own test, named PREFIX.Suite.Case).
# In the Windows build CTest runs it through the cross-compiling emulator (Wine).
function(trimwise_test name)
  cmake_parse_arguments(T "" "PREFIX;WORKING_DIRECTORY" "SOURCES;LIBS" ${ARGN})
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(TRIMWISE_WINDOWS)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  else()
    set(prefix "")
    if(T_PREFIX)
      set(prefix "${T_PREFIX}.")
    endif()
    gtest_discover_tests(${name} TEST_PREFIX "${prefix}" DISCOVERY_TIMEOUT 30
                         WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  endif()
endfunction()
