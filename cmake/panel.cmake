# The panel lumtune is built for: which backlight device it drives and the
# levels it keeps to. All three are fixed into the tool when configuring; it has
# no run-time setting for them and never asks the device for its range.
#
#   cmake -S . -B build -DLUMTUNE_DEVICE=acpi_video0 -DLUMTUNE_FLOOR=1 -DLUMTUNE_LIMIT=15
#
# A bad value stops the configure; none is adjusted. Writes
# generated/panel.hpp for the sources.
set(LUMTUNE_DEVICE intel_backlight CACHE STRING
    "Name of the backlight device in /sys/class/backlight that lumtune drives")
set(LUMTUNE_LIMIT 976 CACHE STRING
    "Highest level lumtune writes when raising or setting (1 to 2147483647)")
set(LUMTUNE_FLOOR 0 CACHE STRING
    "Lowest level lumtune writes when lowering or setting (0 to below LUMTUNE_LIMIT)")

function(refuse_panel_setting variable rule)
    message(FATAL_ERROR "${variable}=\"${${variable}}\" is refused: ${rule}.")
endfunction()

# A name in the backlight class is one path component: no "/", and not "." or
# "..". The characters allowed are also safe in a C string and in the manual.
if(NOT LUMTUNE_DEVICE MATCHES "^[A-Za-z0-9_.:-]+$" OR LUMTUNE_DEVICE MATCHES "^\\.\\.?$")
    refuse_panel_setting(LUMTUNE_DEVICE
        [[a device name is one or more letters, digits, "_", ".", ":" or "-", and not "." or ".."]])
endif()
# Plain decimal digits with no sign and no leading zero, so that a value reads
# the same in CMake, in C++ and in the manual.
set(number_rule "written in decimal digits without sign or leading zeros")
if(NOT LUMTUNE_LIMIT MATCHES "^[1-9][0-9]*$" OR LUMTUNE_LIMIT GREATER 2147483647)
    refuse_panel_setting(LUMTUNE_LIMIT "the limit is a number from 1 to 2147483647, ${number_rule}")
endif()
if(NOT LUMTUNE_FLOOR MATCHES "^(0|[1-9][0-9]*)$" OR NOT LUMTUNE_FLOOR LESS LUMTUNE_LIMIT)
    refuse_panel_setting(LUMTUNE_FLOOR
        "the floor is a number from 0 to below LUMTUNE_LIMIT (${LUMTUNE_LIMIT}), ${number_rule}")
endif()

# A hint, never an error: the panel of the machine that configures may want
# another limit. Only read, so that the build stays the same everywhere.
set(max_brightness_file "/sys/class/backlight/${LUMTUNE_DEVICE}/max_brightness")
if(EXISTS "${max_brightness_file}")
    file(READ "${max_brightness_file}" max_brightness LIMIT 32)
    string(STRIP "${max_brightness}" max_brightness)
    if(max_brightness MATCHES "^[1-9][0-9]*$" AND NOT max_brightness STREQUAL LUMTUNE_LIMIT)
        message(WARNING
            "This machine's ${LUMTUNE_DEVICE} has max_brightness ${max_brightness}, "
            "but LUMTUNE_LIMIT is ${LUMTUNE_LIMIT}. To build for this panel, configure "
            "with -DLUMTUNE_LIMIT=${max_brightness}")
    endif()
endif()

file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/generated/panel.hpp" @ONLY CONTENT [[
#pragma once
#define LUMTUNE_DEVICE "@LUMTUNE_DEVICE@"
#define LUMTUNE_FLOOR @LUMTUNE_FLOOR@
#define LUMTUNE_LIMIT @LUMTUNE_LIMIT@
]])
