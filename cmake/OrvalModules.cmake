# Helpers that keep every folder's CMakeLists.txt to a few lines.
#
# Each folder of src/ is one module: a static, position-independent library
# `orval_<name>` that the shared library `liborval` gathers whole. Test
# binaries link the modules they need directly, so one folder's tests build
# and run even while another folder is being worked on.

# orval_module(NAME name SOURCES ... [DEPS ...] [PUBLIC_LIBS ...])
function(orval_module)
  cmake_parse_arguments(M "" "NAME" "SOURCES;DEPS;PUBLIC_LIBS" ${ARGN})
  add_library(orval_${M_NAME} STATIC ${M_SOURCES})
  target_include_directories(orval_${M_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS M_DEPS)
    target_link_libraries(orval_${M_NAME} PUBLIC orval_${dep})
  endforeach()
  if(M_PUBLIC_LIBS)
    target_link_libraries(orval_${M_NAME} PUBLIC ${M_PUBLIC_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY ORVAL_MODULES orval_${M_NAME})
endfunction()

# orval_test(NAME name SOURCES ... LIBS ...): one GoogleTest binary, its cases fed to ctest.
function(orval_test)
  if(NOT ORVAL_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
  # GoogleTest's headers are most of a small test file's compile time: parse them once per binary.
  target_precompile_headers(${T_NAME} PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
  target_compile_definitions(${T_NAME} PRIVATE
    ORVAL_SOURCE_DIR="${PROJECT_SOURCE_DIR}" ORVAL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ORVAL_LOG=;LANGUAGE=en;LC_ALL=C.UTF-8")
endfunction()

# orval_add_to_every_executable(dir sources...): adds sources to every executable defined in dir
# and the folders below it.
function(orval_add_to_every_executable dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_sources(${target} PRIVATE ${ARGN})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    orval_add_to_every_executable(${subdirectory} ${ARGN})
  endforeach()
endfunction()
