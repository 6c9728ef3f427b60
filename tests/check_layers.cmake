# cmake -DSOURCE_DIR=<src> -P check_layers.cmake
# Fails when a folder of src/ includes a header of a folder above it. The layers, lowest first:
#   core/, platform/, ui/ (its own files), ui/dialogs/, ui/main/, and app/ (outside src/), where the program
# is put together. The windows know the desktop only through the platform interfaces: a Qt implementation
# (platform/Qt*.h, and the two that need no Qt: ImmediateProcessEnd.h, StandardErrorLog.h) is included by
# app/ and by platform/ itself, never by ui/.
# An include names a header from src/ ("ui/main/MainWindow.h") or from the including file's folder
# ("../main/MainWindow.h"); anything else (Qt, the standard library) belongs to no layer.
cmake_minimum_required(VERSION 3.22)
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "SOURCE_DIR must name the src folder, not \"${SOURCE_DIR}\"")
endif()

set(layers core platform ui ui/dialogs ui/main app)

# The rank of the layer that `path` (relative to src/) belongs to, or -1 for none: that of the longest
# layer folder holding it, so that ui/main/x.h is in ui/main/ and not in ui/.
function(layer_of path result)
    get_filename_component(folder "${path}" DIRECTORY)
    set(rank -1)
    set(index 0)
    foreach(layer IN LISTS layers)
        if(folder STREQUAL layer OR folder MATCHES "^${layer}/")
            set(rank ${index})
        endif()
        math(EXPR index "${index} + 1")
    endforeach()
    set(${result} ${rank} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h.in")
set(checked 0)
set(faults "")
foreach(source IN LISTS sources)
    layer_of("${source}" own)
    if(own EQUAL -1)
        list(APPEND faults "${source}: in a folder that is no layer; add it to the list in check_layers.cmake")
        continue()
    endif()
    get_filename_component(folder "${source}" DIRECTORY)
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+[\">]")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">].*$" "\\1" header "${line}")
        if(EXISTS "${SOURCE_DIR}/${folder}/${header}")
            get_filename_component(resolved "${SOURCE_DIR}/${folder}/${header}" ABSOLUTE)
            file(RELATIVE_PATH header "${SOURCE_DIR}" "${resolved}")
        endif()
        layer_of("${header}" theirs)
        if(theirs GREATER own)
            list(GET layers ${own} ownName)
            list(GET layers ${theirs} theirName)
            list(APPEND faults "${source}: ${ownName}/ includes ${header}, which is in ${theirName}/, a layer above it")
        endif()
        if(source MATCHES "^ui/" AND header MATCHES "^platform/(Qt[A-Za-z]*|ImmediateProcessEnd|StandardErrorLog)\\.h$")
            list(APPEND faults "${source}: includes ${header}, a Qt implementation; the windows use its interface")
        endif()
    endforeach()
    math(EXPR checked "${checked} + 1")
endforeach()

if(checked EQUAL 0)
    message(FATAL_ERROR "no sources found in ${SOURCE_DIR}")
endif()
if(faults)
    list(JOIN faults "\n" report)
    message(FATAL_ERROR "Includes that point up a layer:\n${report}")
endif()
message(STATUS "${checked} files checked: every include points down or sideways")
