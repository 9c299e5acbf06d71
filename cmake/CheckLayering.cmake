# Fails when an include crosses the layers the wrong way. Dependencies point
# one way, results -> testwindow -> engine:
#   - engine/ includes no Qt header, no generated form (ui_*.h) and nothing of
#     testwindow/, results/ or help/, and its CMakeLists.txt links no Qt;
#   - results/ uses only the public headers of testwindow/ listed below, never
#     the main window (form1.h, ui_form1.h) or other internals;
#   - testwindow/ includes nothing of results/, except main.cpp, which starts
#     the whole program;
#   - no include circle: a header and its .cpp count as one unit, and no unit
#     reaches itself through the project's includes.
# Each fault is printed as "file:line: include: reason".
#   cmake -DSOURCE_DIR=<source tree> -P cmake/CheckLayering.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
    get_filename_component(SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

# The headers of testwindow/ that results/ may include: the run's values, the
# test session, the close rule and the program's end, and the window plumbing
# both windows share.
set(RESULTS_MAY_USE runstate.h session.h closereason.h programend.h windowslot.h programwindow.h buttonshortcuts.h)

# Names of testwindow/ files that results/ must not reach, however spelled:
# every other header and the forms generated from testwindow's .ui files.
file(GLOB window_headers RELATIVE ${SOURCE_DIR}/testwindow ${SOURCE_DIR}/testwindow/*.h)
file(GLOB window_forms RELATIVE ${SOURCE_DIR}/testwindow ${SOURCE_DIR}/testwindow/*.ui)
list(REMOVE_ITEM window_headers ${RESULTS_MAY_USE})
list(TRANSFORM window_forms REPLACE "^(.*)\\.ui$" "ui_\\1.h")
set(WINDOW_INTERNALS ${window_headers} ${window_forms})

set(fault_count 0)

# Prints one fault and counts it.
function(report file line what why)
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    message("${shown}:${line}: ${what}: ${why}")
    math(EXPR count "${fault_count} + 1")
    set(fault_count ${count} PARENT_SCOPE)
endfunction()

# The reason an include of `target` (as written, with its <> or "") breaks the
# rules of `layer`, or an empty string when it is allowed.
function(include_fault layer file target out)
    set(why "")
    string(REGEX REPLACE "^[<\"](.*)[>\"]$" "\\1" path "${target}")
    string(REGEX REPLACE "^(\\.\\./)+" "" path "${path}")
    get_filename_component(name "${path}" NAME)
    if(layer STREQUAL "engine")
        if(target MATCHES "^<(Q|qt)")
            set(why "the engine uses no Qt")
        elseif(name MATCHES "^ui_.*\\.h$")
            set(why "the engine includes no window form")
        elseif(path MATCHES "^(testwindow|results|help)/")
            set(why "the engine includes no window code")
        endif()
    elseif(layer STREQUAL "results")
        if(path MATCHES "^testwindow/" OR (NOT path MATCHES "/" AND name IN_LIST WINDOW_INTERNALS))
            if(NOT name IN_LIST RESULTS_MAY_USE)
                set(why "results/ may use only testwindow/{${RESULTS_MAY_USE}}")
                string(REPLACE ";" "," why "${why}")
            endif()
        endif()
    elseif(layer STREQUAL "testwindow")
        if(path MATCHES "^results/" AND NOT file MATCHES "/testwindow/main\\.cpp$")
            set(why "testwindow/ reaches results/ by a signal, not an include")
        endif()
    endif()
    set(${out} "${why}" PARENT_SCOPE)
endfunction()

foreach(layer engine results testwindow)
    file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.hpp ${SOURCE_DIR}/${layer}/*.cpp)
    list(SORT sources)
    foreach(file IN LISTS sources)
        file(READ ${file} text)
        # One list element per line: characters that would join or split list
        # elements are blanked first (no include path holds them).
        string(REGEX REPLACE "[][;\\\\]" " " text "${text}")
        string(REPLACE "\n" ";" lines "${text}")
        set(line 0)
        foreach(content IN LISTS lines)
            math(EXPR line "${line} + 1")
            if(content MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"][^>\"]*[>\"])")
                include_fault(${layer} ${file} "${CMAKE_MATCH_1}" why)
                if(why)
                    report(${file} ${line} "#include ${CMAKE_MATCH_1}" "${why}")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

# The engine's build links nothing of Qt either.
file(STRINGS ${SOURCE_DIR}/engine/CMakeLists.txt lines)
set(line 0)
foreach(content IN LISTS lines)
    math(EXPR line "${line} + 1")
    if(content MATCHES "^[^#]*(Qt[56]?::|find_package\\(Qt)")
        string(STRIP "${content}" content)
        report(${SOURCE_DIR}/engine/CMakeLists.txt ${line} "${content}" "the engine links no Qt")
    endif()
endforeach()

# Include circles. A unit is a header with its .cpp ("testwindow/form1"); each
# unit's edges are the units it includes; a unit that reaches itself is in a circle.
file(GLOB_RECURSE units_sources ${SOURCE_DIR}/engine/* ${SOURCE_DIR}/testwindow/* ${SOURCE_DIR}/results/*
     ${SOURCE_DIR}/help/viewer/*)
list(FILTER units_sources INCLUDE REGEX "\\.(h|hpp|cpp)$")
set(units "")
foreach(file IN LISTS units_sources)
    file(RELATIVE_PATH unit ${SOURCE_DIR} ${file})
    string(REGEX REPLACE "\\.(h|hpp|cpp)$" "" unit "${unit}")
    list(APPEND units ${unit})
    string(MAKE_C_IDENTIFIER "${unit}" id)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(include IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" target "${include}")
        string(REGEX REPLACE "\\.(h|hpp)$" "" target "${target}")
        if(NOT target STREQUAL unit)
            list(APPEND edges_${id} ${target})
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES units)
foreach(unit IN LISTS units)
    string(MAKE_C_IDENTIFIER "${unit}" id)
    set(reached "")
    set(pending ${edges_${id}})
    while(pending)
        list(POP_FRONT pending next)
        if(next IN_LIST reached)
            continue()
        endif()
        list(APPEND reached ${next})
        string(MAKE_C_IDENTIFIER "${next}" next_id)
        list(APPEND pending ${edges_${next_id}})
    endwhile()
    if(unit IN_LIST reached)
        message("${unit}: in an include circle: it reaches itself through its includes")
        math(EXPR fault_count "${fault_count} + 1")
    endif()
endforeach()

if(fault_count GREATER 0)
    message(FATAL_ERROR "${fault_count} layering fault(s): results -> testwindow -> engine, the engine without Qt, "
                        "no include circle")
endif()
message(STATUS "Layering holds: engine/ without Qt or windows, results/ on testwindow's public headers only, "
               "no include circle")
