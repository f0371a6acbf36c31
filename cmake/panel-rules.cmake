# The rules that the device, floor and limit of a build must keep, which the
# configure includes and tools/install runs, stopping as the configure would:
#
#   cmake -DLUMTUNE_DEVICE=acpi_video0 -DLUMTUNE_FLOOR=1 -DLUMTUNE_LIMIT=15 -P cmake/panel-rules.cmake
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    cmake_minimum_required(VERSION 3.25)
endif()

# panel_rule_broken(VARIABLE VALUE OUTPUT): OUTPUT is the rule that VALUE breaks
# as the value of VARIABLE, or empty when it keeps it. A device name is one
# path component, whose characters are also safe in a C string and in the
# manual; the numbers are plain decimal digits with no sign and no leading
# zero, so that a value reads the same in CMake, in C++ and in the manual.
function(panel_rule_broken variable value output)
    set(number_rule "written in decimal digits without sign or leading zeros")
    set(rule "")
    if(variable STREQUAL "LUMTUNE_DEVICE")
        if(NOT value MATCHES "^[A-Za-z0-9_.:-]+$" OR value MATCHES "^\\.\\.?$")
            set(rule [[a device name is one or more letters, digits, "_", ".", ":" or "-", and not "." or ".."]])
        endif()
    elseif(variable STREQUAL "LUMTUNE_LIMIT")
        if(NOT value MATCHES "^[1-9][0-9]*$" OR value GREATER 2147483647)
            set(rule "the limit is a number from 1 to 2147483647, ${number_rule}")
        endif()
    elseif(NOT value MATCHES "^(0|[1-9][0-9]*)$" OR NOT value LESS LUMTUNE_LIMIT)
        set(rule "the floor is a number from 0 to below LUMTUNE_LIMIT (${LUMTUNE_LIMIT}), ${number_rule}")
    endif()
    set(${output} "${rule}" PARENT_SCOPE)
endfunction()

# check_panel_settings(): stops, saying why, at the first of LUMTUNE_DEVICE,
# LUMTUNE_LIMIT and LUMTUNE_FLOOR that breaks its rule, followed by the
# paragraph devices_found, when set. The refused value goes from the cache,
# so that the next configure without it starts from the default.
function(check_panel_settings)
    foreach(variable LUMTUNE_DEVICE LUMTUNE_LIMIT LUMTUNE_FLOOR)
        set(value "${${variable}}")
        panel_rule_broken(${variable} "${value}" rule)
        if(rule)
            unset(${variable} CACHE)
            set(guess "")
            if(value STREQUAL "")
                set(guess " An empty value usually means that the $(cat ...) that gave it found no file.")
            endif()
            message(FATAL_ERROR "${variable}=\"${value}\" is refused: ${rule}.${guess}\n${devices_found}")
        endif()
    endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    check_panel_settings()
endif()
