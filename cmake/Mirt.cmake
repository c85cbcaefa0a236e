# Shared build helpers. Subsystem folders list no sources by hand: every
# .cpp in the folder (not in subfolders) belongs to its library.

# mirt_pch(<target>): the libraries share one precompiled cmake/pch/std.h,
# made by mirt_std_pch (mirt_std_pch_target() below), instead of each
# compiling its own.
# A library built with hidden visibility (HIDDEN) precompiles its own copy:
# clang refuses a precompiled header made with other visibility.
function(mirt_pch target)
  cmake_parse_arguments(A "HIDDEN" "" "" ${ARGN})
  if(NOT MIRT_PCH)
    return()
  endif()
  if(A_HIDDEN)
    target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/std.h)
  else()
    target_precompile_headers(${target} REUSE_FROM mirt_std_pch)
  endif()
endfunction()

# mirt_std_pch_target(): the owner of the shared precompiled standard headers,
# compiled as the libraries are (position-independent).
function(mirt_std_pch_target)
  if(MIRT_PCH)
    add_library(mirt_std_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch/std_pch.cpp)
    target_precompile_headers(mirt_std_pch PRIVATE ${PROJECT_SOURCE_DIR}/cmake/pch/std.h)
  endif()
endfunction()

# mirt_sources(<out-var> <dir>): the .cpp files directly in <dir>.
function(mirt_sources out dir)
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# mirt_library(<name> STATIC|SHARED [HIDDEN] [DIRS d...] [EXCLUDE f...] [LIBS l...])
# HIDDEN: hidden symbol visibility.
# A library of the .cpp files of the given folders (default: the current
# one). A static library without sources yet becomes an interface library.
function(mirt_library name kind)
  cmake_parse_arguments(A "HIDDEN" "" "DIRS;EXCLUDE;LIBS" ${ARGN})
  if(NOT A_DIRS)
    set(A_DIRS ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(all "")
  foreach(d ${A_DIRS})
    mirt_sources(s ${d})
    list(APPEND all ${s})
  endforeach()
  foreach(x ${A_EXCLUDE})
    list(FILTER all EXCLUDE REGEX "/${x}$")
  endforeach()
  if(NOT all AND kind STREQUAL "STATIC")
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_LIBS})
    return()
  endif()
  add_library(${name} ${kind} ${all})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  if(A_HIDDEN)
    set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    mirt_pch(${name} HIDDEN)
  else()
    mirt_pch(${name})
  endif()
endfunction()

# mirt_test_optimisation(<target>): test code is compiled for a short build,
# not for speed: -O1 in optimised configurations (the code under test keeps
# the configuration's level).
function(mirt_test_optimisation target)
  if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    target_compile_options(${target} PRIVATE -O1)
  endif()
endfunction()

# mirt_test(<name> SOURCES s... LIBS l...): a GoogleTest program run by CTest,
# headless, with its own temporary settings directory (see tests/support).
# The environment comes through an env "emulator", which both the test
# discovery and the runs use: libraries that read settings while loading see
# a folder in the build tree until the program restarts itself with its
# private one.
function(mirt_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE mirt_test_main ${A_LIBS})
  mirt_test_optimisation(${name})
  if(MIRT_PCH)
    # Compiled as the shared test library is (-fPIC, no -fPIE), so that its
    # precompiled headers are valid here.
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE OFF)
    target_compile_options(${name} PRIVATE -fPIC)
    target_precompile_headers(${name} REUSE_FROM mirt_test_main)
  endif()
  set(load_settings ${CMAKE_BINARY_DIR}/test-load-settings)
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    CROSSCOMPILING_EMULATOR "/usr/bin/env;MIRT_CONFIG_DIR=${load_settings};HOME=${load_settings};QT_QPA_PLATFORM=offscreen;MIRT_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
  if(MIRT_TEST_PER_PROGRAM)
    # One process runs all of the program's tests.
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  else()
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
      PROPERTIES TIMEOUT 120)
  endif()
endfunction()

# mirt_fuzzer(<name> SOURCES s... LIBS l...): a libFuzzer target, built only
# in the fuzz configuration; its seeds are in tests/fuzz/corpus/<name>.
function(mirt_fuzzer name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT MIRT_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers
                                           INSTALL_RPATH "$ORIGIN/../bin")
  add_dependencies(fuzzers ${name})
endfunction()

# mirt_bench(<name> SOURCES s... LIBS l...): a Google Benchmark program.
function(mirt_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE benchmark::benchmark_main ${A_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench
                                           INSTALL_RPATH "$ORIGIN/../bin")
endfunction()

# mirt_add_subdirs(): add every direct subfolder of the current folder that
# has a CMakeLists.txt, so that new test or bench folders need no edit here.
function(mirt_add_subdirs)
  file(GLOB kids LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT kids)
  foreach(k ${kids})
    if(IS_DIRECTORY ${k} AND EXISTS ${k}/CMakeLists.txt)
      add_subdirectory(${k})
    endif()
  endforeach()
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/MirtResources.cmake)
