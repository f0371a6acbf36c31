# The panel lumtune is built for, fixed into the tool: the backlight device it
# drives and the levels it keeps to. A bad value stops the configure and is not
# kept in the cache. Writes generated/panel.hpp, and sets LUMTUNE_STEP.
#
#   cmake -S . -B build -DLUMTUNE_DEVICE=acpi_video0 -DLUMTUNE_FLOOR=1 -DLUMTUNE_LIMIT=15
set(LUMTUNE_DEVICE intel_backlight CACHE STRING
    "Name of the backlight device in /sys/class/backlight that lumtune drives")
set(LUMTUNE_LIMIT 976 CACHE STRING
    "Highest level lumtune writes when raising or setting (1 to 2147483647)")
set(LUMTUNE_FLOOR 0 CACHE STRING
    "Lowest level lumtune writes when lowering or setting (0 to below LUMTUNE_LIMIT)")

include("${CMAKE_CURRENT_LIST_DIR}/panel-rules.cmake")

# The machine's backlight devices, best first (tools/backlight-devices), for
# the messages below; only read, and only for what the messages say, so that
# the build stays the same everywhere. devices_found lists them and, when the
# best one's name and max_brightness are ones a build takes, says how to build
# for it.
execute_process(COMMAND "${PROJECT_SOURCE_DIR}/tools/backlight-devices"
                OUTPUT_VARIABLE device_list ERROR_QUIET)
string(REGEX MATCHALL "[^\n]+" device_lines "${device_list}")
set(devices_found "This machine has no backlight device in /sys/class/backlight.")
if(device_lines)
    set(devices_found "This machine's backlight devices, best first:\n")
    foreach(line IN LISTS device_lines)
        string(REGEX MATCH "^([^\t]*)\t([^\t]*)\t(.*)$" fields "${line}")
        string(APPEND devices_found "  ${CMAKE_MATCH_1}: max_brightness ${CMAKE_MATCH_2}, type ${CMAKE_MATCH_3}\n")
        if(CMAKE_MATCH_1 STREQUAL LUMTUNE_DEVICE)
            set(device_max_brightness "${CMAKE_MATCH_2}")
        endif()
        if(NOT DEFINED best_device)
            set(best_device "${CMAKE_MATCH_1}")
            set(best_limit "${CMAKE_MATCH_2}")
        endif()
    endforeach()
    panel_rule_broken(LUMTUNE_DEVICE "${best_device}" device_broken)
    panel_rule_broken(LUMTUNE_LIMIT "${best_limit}" limit_broken)
    if(NOT device_broken AND NOT limit_broken)
        string(APPEND devices_found "To build for ${best_device}, configure with "
            "-DLUMTUNE_DEVICE=${best_device} -DLUMTUNE_LIMIT=${best_limit}, or run tools/install, "
            "which builds lumtune for it and installs it.")
    endif()
endif()

check_panel_settings()

# Hints, never errors: the configuring machine may lack the device, or its
# panel may want another limit.
if(device_lines AND NOT DEFINED device_max_brightness)
    message(WARNING "This machine has no backlight device ${LUMTUNE_DEVICE}, so lumtune built "
        "for it fails here with \"Cannot open kernel pipe\".\n${devices_found}")
elseif(device_max_brightness MATCHES "^[1-9][0-9]*$" AND NOT device_max_brightness STREQUAL LUMTUNE_LIMIT)
    message(WARNING
        "This machine's ${LUMTUNE_DEVICE} has max_brightness ${device_max_brightness}, "
        "but LUMTUNE_LIMIT is ${LUMTUNE_LIMIT}. To build for this panel, configure "
        "with -DLUMTUNE_LIMIT=${device_max_brightness}")
endif()

# The step of the key bindings that the manual suggests: one twentieth of the
# range, rounded down, and at least 1.
math(EXPR LUMTUNE_STEP "(${LUMTUNE_LIMIT} - ${LUMTUNE_FLOOR}) / 20")
if(LUMTUNE_STEP LESS 1)
    set(LUMTUNE_STEP 1)
endif()

file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/generated/panel.hpp" @ONLY CONTENT [[
#pragma once
#define LUMTUNE_DEVICE "@LUMTUNE_DEVICE@"
#define LUMTUNE_FLOOR @LUMTUNE_FLOOR@
#define LUMTUNE_LIMIT @LUMTUNE_LIMIT@
]])
