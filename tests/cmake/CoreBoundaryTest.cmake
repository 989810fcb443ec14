# Configures small projects that use cmake/CoreBoundary.cmake, each with one planted breach of the
# logic libraries' boundary, and expects the configure to fail with the check's message; a clean
# project, in which widgets and the bar's own logic do what the rule allows them, must configure.
# Run as: cmake -DMODULE=<CoreBoundary.cmake> -DWORK=<scratch folder> -DCXX=<compiler> -P <this>

foreach(var MODULE WORK CXX)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

# Writes the files of a project: pairs of a path under the project and its content.
function(write_project dir)
  file(REMOVE_RECURSE "${dir}")
  set(pairs ${ARGN})
  while(pairs)
    list(POP_FRONT pairs path content)
    file(WRITE "${dir}/${path}" "${content}\n")
  endwhile()
endfunction()

# The same layout every time: common, a feature's core and widgets, the bar's core, a platform
# implementation; `links` and `planted` (path and content pairs) make each case.
function(configure_case name links)
  set(dir "${WORK}/${name}")
  write_project("${dir}"
    CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(boundary LANGUAGES CXX)
find_package(Qt6 REQUIRED COMPONENTS Core Gui)
include(\"${MODULE}\")
add_subdirectory(src)"
    src/CMakeLists.txt "add_library(common STATIC common/Text.cpp)
target_include_directories(common PUBLIC \${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(common PUBLIC Qt6::Core)
add_library(platform_linux STATIC platform/linux/Thing.cpp)
target_link_libraries(platform_linux PUBLIC common)
add_library(bar_core STATIC bar/core/Strip.cpp)
target_link_libraries(bar_core PUBLIC common)
add_library(helpers INTERFACE)
add_library(demo_core STATIC demo/core/Logic.cpp)
target_link_libraries(demo_core PUBLIC common helpers)
add_library(demo_widgets STATIC demo/widgets/View.cpp)
target_link_libraries(demo_widgets PUBLIC demo_core bar_core platform_linux Qt6::Gui)
${links}
veskor_check_core_boundary(\${CMAKE_CURRENT_SOURCE_DIR})"
    src/common/Text.h "#include <QString>"
    src/common/Text.cpp "#include \"common/Text.h\"\n#include <vector>"
    src/platform/linux/Thing.h "#include <unistd.h>"
    src/platform/linux/Thing.cpp "#include \"platform/linux/Thing.h\""
    src/bar/core/Strip.h "#include \"common/Text.h\""
    src/bar/core/Strip.cpp "#include \"bar/core/Strip.h\""
    src/demo/core/Logic.h "#include \"common/Text.h\""
    src/demo/core/Logic.cpp "#include \"demo/core/Logic.h\""
    src/demo/widgets/View.h "#include <QImage>\n#include \"bar/core/Strip.h\""
    src/demo/widgets/View.cpp "#include \"demo/widgets/View.h\"\n#include \"platform/linux/Thing.h\""
    ${ARGN})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S "${dir}" -B "${dir}/build" -DCMAKE_CXX_COMPILER=${CXX}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  # The message wraps at the terminal's width.
  string(REGEX REPLACE "[ \n]+" " " out "${out}")
  set(status ${status} PARENT_SCOPE)
  set(output "${out}" PARENT_SCOPE)
endfunction()

set(failures 0)
function(expect_refused name expected links)
  configure_case(${name} "${links}" ${ARGN})
  if(status EQUAL 0 OR NOT output MATCHES "${expected}")
    message(SEND_ERROR "${name}: expected the configure to fail with '${expected}'; "
                       "status ${status}: ${output}")
  endif()
endfunction()

configure_case(clean "")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "clean: the configure failed: ${output}")
endif()

expect_refused(links_gui_indirectly
  "Logic library demo_core must not reach Qt6::Gui .*: demo_core -> helpers -> Qt6::Gui"
  "target_link_libraries(helpers INTERFACE $<$<CONFIG:Release>:Qt6::Gui>)")
expect_refused(links_platform
  "Logic library demo_core must not reach platform_linux"
  "target_link_libraries(demo_core PRIVATE platform_linux)")
expect_refused(links_widgets
  "Logic library common must not reach demo_widgets"
  "target_link_libraries(common PRIVATE demo_widgets)")
expect_refused(links_bar
  "Logic library demo_core must not reach bar_core"
  "target_link_libraries(demo_core PRIVATE bar_core)")
expect_refused(includes_gui_through_a_header
  "Logic library demo_core must not include QPainter \\(a Qt GUI module\\).* demo/core/Logic.cpp -> demo/core/Logic.h includes <QPainter>"
  "" src/demo/core/Logic.h "#include \"common/Text.h\"\n  #  include <QPainter>")
expect_refused(includes_gui_by_module
  "Logic library common must not include QtGui/qimage.h"
  "" src/common/Text.cpp "#include <QtGui/qimage.h>")
expect_refused(includes_platform
  "Logic library common must not include platform/linux/Thing.h \\(a platform implementation\\)"
  "" src/common/Text.h "#include \"platform/linux/Thing.h\"")
expect_refused(includes_system_service
  "Logic library demo_core must not include dlfcn.h"
  "" src/demo/core/Logic.cpp "#include <dlfcn.h>")
expect_refused(includes_widgets
  "Logic library demo_core must not include demo/widgets/View.h"
  "" src/demo/core/Logic.cpp "#include \"demo/widgets/View.h\"")
expect_refused(includes_bar
  "Logic library demo_core must not include bar/core/Strip.h \\(the bar\\)"
  "" src/demo/core/Logic.cpp "#include \"bar/core/Strip.h\"")
