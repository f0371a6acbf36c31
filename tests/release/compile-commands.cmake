# Writes the entries of a build's compile_commands.json to OUTPUT as lines
# that a shell script can read, one entry a line: its directory, its source
# file and the words of its command, split as the shell splits it, separated
# by tabs.
#
#   cmake -DCOMPILE_COMMANDS=build/compile_commands.json -DOUTPUT=FILE -P compile-commands.cmake
foreach(variable COMPILE_COMMANDS OUTPUT)
    if(NOT ${variable})
        message(FATAL_ERROR "compile-commands: ${variable} is not set")
    endif()
endforeach()
file(READ "${COMPILE_COMMANDS}" json)
string(JSON count LENGTH "${json}")
set(lines "")
if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(index RANGE ${last})
        string(JSON directory GET "${json}" ${index} directory)
        string(JSON file GET "${json}" ${index} file)
        string(JSON command GET "${json}" ${index} command)
        separate_arguments(words UNIX_COMMAND "${command}")
        set(line "")
        foreach(value IN ITEMS "${directory}" "${file}" LISTS words)
            if(value MATCHES "[\t\n]")
                message(FATAL_ERROR "compile-commands: entry ${index} has a tab or a line end in [${value}]")
            endif()
            string(APPEND line "${value}\t")
        endforeach()
        string(REGEX REPLACE "\t$" "\n" line "${line}")
        string(APPEND lines "${line}")
    endforeach()
endif()
file(WRITE "${OUTPUT}" "${lines}")
