# One line per test executable:
#
#   veskor_add_gtest(<target> SOURCES <file>... LIBS <lib>...
#                    [PREFIX <prefix>] [FILTER <gtest filter>] [OWN_MAIN]
#                    [ENVIRONMENT <VAR=value>...] [LABELS <label>...] [TIMEOUT <seconds>])
#     A GoogleTest executable whose cases ctest lists one by one as <prefix>.<Suite>.<Case>. The
#     prefix is the folder's name unless given. OWN_MAIN: the sources bring their own main().
#
#   veskor_add_qtest(<test> SOURCES <file>... LIBS <lib>...
#                    [ENVIRONMENT <VAR=value>...] [LABELS <label>...] [TIMEOUT <seconds>])
#     A Qt Test executable, one ctest test named <test> ("alarms.LedTicker"); the executable is
#     named after it ("alarms_LedTicker_tests"). It runs on Qt's offscreen platform.
#
#   veskor_add_benchmark(<target> SOURCES <file>... LIBS <lib>...)
#     A Google Benchmark executable, built with the tests and run by hand (bench/micro.sh).
#
# Every test runs with LC_ALL=C, so that the user's language cannot change the texts; ENVIRONMENT
# adds to that or overrides it. Each carries the label of its folder (ctest -L platform) and
# any LABELS given. Every executable links the warnings target.

include_guard(GLOBAL)
include(GoogleTest)

set(VESKOR_TEST_ENVIRONMENT "LC_ALL=C")

# The folder a test is declared in: its default prefix and label.
function(_veskor_test_folder out)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# The environment: the defaults, then the given entries, a variable given later winning.
function(_veskor_test_environment out)
  set(merged)
  foreach(entry IN LISTS VESKOR_TEST_ENVIRONMENT ARGN)
    string(REGEX REPLACE "=.*" "" name "${entry}")
    list(FILTER merged EXCLUDE REGEX "^${name}=")
    list(APPEND merged "${entry}")
  endforeach()
  set(${out} "${merged}" PARENT_SCOPE)
endfunction()

function(veskor_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "OWN_MAIN" "PREFIX;FILTER;TIMEOUT"
    "SOURCES;LIBS;ENVIRONMENT;LABELS")
  if(NOT arg_SOURCES OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "veskor_add_gtest(${target}): SOURCES needed; stray ${arg_UNPARSED_ARGUMENTS}")
  endif()
  _veskor_test_folder(folder)
  if(NOT DEFINED arg_PREFIX)
    set(arg_PREFIX ${folder})
  endif()
  _veskor_test_environment(environment ${arg_ENVIRONMENT})

  add_executable(${target} ${arg_SOURCES})
  if(arg_OWN_MAIN)
    set(gtest GTest::gtest)
  else()
    set(gtest GTest::gtest_main)
  endif()
  target_link_libraries(${target} PRIVATE ${arg_LIBS} ${gtest} veskor_warnings)

  set(filter)
  if(DEFINED arg_FILTER)
    set(filter TEST_FILTER "${arg_FILTER}")
  endif()
  gtest_discover_tests(${target} TEST_PREFIX "${arg_PREFIX}." ${filter} TEST_LIST ${target}_TESTS)
  # The tests are known only when ctest reads the list the build wrote, and the discovery's own
  # PROPERTIES cannot carry a list (two labels, two variables): a file read after that list sets
  # them.
  set(labels ${folder} ${arg_LABELS})
  set(properties "ENVIRONMENT [==[${environment}]==] LABELS [==[${labels}]==]")
  if(DEFINED arg_TIMEOUT)
    string(APPEND properties " TIMEOUT ${arg_TIMEOUT}")
  endif()
  set(file ${CMAKE_CURRENT_BINARY_DIR}/${target}_properties.cmake)
  file(WRITE ${file}
    "if(${target}_TESTS)\n  set_tests_properties(\${${target}_TESTS} PROPERTIES ${properties})\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${file})
endfunction()

function(veskor_add_qtest test)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;LABELS")
  if(NOT arg_SOURCES OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "veskor_add_qtest(${test}): SOURCES needed; stray ${arg_UNPARSED_ARGUMENTS}")
  endif()
  _veskor_test_folder(folder)
  _veskor_test_environment(environment QT_QPA_PLATFORM=offscreen ${arg_ENVIRONMENT})
  string(REPLACE "." "_" target "${test}_tests")

  add_executable(${target} ${arg_SOURCES})
  target_link_libraries(${target} PRIVATE ${arg_LIBS} Qt6::Test veskor_warnings)
  add_test(NAME ${test} COMMAND ${target})
  set(labels ${folder} ${arg_LABELS})
  set_tests_properties(${test} PROPERTIES ENVIRONMENT "${environment}" LABELS "${labels}")
  if(DEFINED arg_TIMEOUT)
    set_tests_properties(${test} PROPERTIES TIMEOUT ${arg_TIMEOUT})
  endif()
endfunction()

function(veskor_add_benchmark target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBS")
  if(NOT arg_SOURCES OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "veskor_add_benchmark(${target}): SOURCES needed")
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${target} ${arg_SOURCES})
  target_link_libraries(${target} PRIVATE ${arg_LIBS} benchmark::benchmark veskor_warnings)
endfunction()
