# SOURCE_DATE_EPOCH, when the builder sets it, is the time of every time stamp
# in the package, in seconds since 1970-01-01 00:00 UTC. cpack would take any
# other value for the time of the build, silently; here it stops the configure,
# the build and cpack. Eleven digits reach the year 5138, and fit the twelve
# characters that an ar header has for a time.
function(lumtune_check_source_date_epoch)
    if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
        return()
    endif()
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    string(LENGTH "${epoch}" digits)
    if(NOT epoch MATCHES "^[0-9]+$" OR digits GREATER 11)
        message(FATAL_ERROR "lumtune: SOURCE_DATE_EPOCH=\"${epoch}\" is refused: it is the time of "
            "the package's time stamps, a whole number of seconds since 1970-01-01 00:00 UTC (at "
            "most 11 digits). Set it to one, such as the commit's: "
            "SOURCE_DATE_EPOCH=$(git log -1 --format=%ct); or unset it, and the commit's time is taken.")
    endif()
endfunction()
