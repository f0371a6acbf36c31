# Makes the machine-readable Debian copyright file COPYRIGHT_FILE from LICENSE,
# whenever LICENSE changes. Its Source is LUMTUNE_SOURCE_URL, by default no
# more than is known whatever the clone: it is never read from the clone's
# origin, so that a clone from any mirror makes the same package.
set(LUMTUNE_SOURCE_URL
    "the lumtune git repository; the package's version names the commit it was built from"
    CACHE STRING "Where the source comes from, for the Source field of the Debian copyright file")
if(LUMTUNE_SOURCE_URL STREQUAL "" OR LUMTUNE_SOURCE_URL MATCHES "[\r\n]")
    message(FATAL_ERROR "LUMTUNE_SOURCE_URL=\"${LUMTUNE_SOURCE_URL}\" is refused: "
                        "it is one line that says where the source comes from.")
endif()

set(licence_file "${PROJECT_SOURCE_DIR}/LICENSE")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${licence_file}")
file(READ "${licence_file}" licence)
if(NOT licence MATCHES "(^|\n)Copyright \\(c\\) ([^\n]+)\n")
    message(FATAL_ERROR "LICENSE has no line \"Copyright (c) <years> <holders>\"")
endif()
set(copyright_holders "${CMAKE_MATCH_2}")
# Each line of the text, as a continuation line: indented by a space, an empty
# line written " .". A line that would not read back as itself is refused.
string(REGEX REPLACE "\n$" "" licence "${licence}")
if(licence MATCHES "(^|\n)([ \t]+|[ \t]*\\.[ \t]*)(\n|$)" OR licence MATCHES "\r")
    message(FATAL_ERROR "LICENSE has a line of white space or a lone \".\", or a carriage return: "
                        "the copyright file cannot carry it as it is")
endif()
# Empty lines first become ".": twice, as one pass skips every other line of a
# run of them.
if(licence MATCHES "^\n")
    string(PREPEND licence ".")
endif()
foreach(pass 1 2)
    string(REPLACE "\n\n" "\n.\n" licence "${licence}")
endforeach()
if(licence MATCHES "\n$")
    string(APPEND licence ".")
endif()
string(REPLACE "\n" "\n " licence " ${licence}")

set(COPYRIGHT_FILE "${PROJECT_BINARY_DIR}/copyright")
file(CONFIGURE OUTPUT "${COPYRIGHT_FILE}" @ONLY CONTENT [[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: lumtune
Source: @LUMTUNE_SOURCE_URL@

Files: *
Copyright: @copyright_holders@
License: MIT

License: MIT
@licence@
]])
