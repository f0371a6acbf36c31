# Run by cpack once it has made the package: gives each member of the .deb's
# ar archive the mode 0644, as dpkg-deb does, not the builder's umask's. An ar
# member's header is 60 characters, the mode's 8 at 40, the size's 10 at 48;
# its data follows, padded to an even length.
set(mode "100644  ")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    file(READ "${package}" magic LIMIT 8)
    if(NOT magic STREQUAL "!<arch>\n")
        message(FATAL_ERROR "${package} is not an ar archive")
    endif()
    file(SIZE "${package}" package_size)
    set(offset 8)
    while(offset LESS package_size)
        file(READ "${package}" header OFFSET ${offset} LIMIT 60)
        string(SUBSTRING "${header}" 58 2 end)
        string(SUBSTRING "${header}" 48 10 size)
        string(STRIP "${size}" size)
        if(NOT end STREQUAL "`\n" OR NOT size MATCHES "^[0-9]+$")
            message(FATAL_ERROR "${package}: no ar member header at ${offset}")
        endif()
        string(SUBSTRING "${header}" 40 8 member_mode)
        if(NOT member_mode STREQUAL mode)
            math(EXPR mode_offset "${offset} + 40")
            execute_process(
                COMMAND sh -c [[printf '%s' "$2" | dd of="$0" bs=1 seek="$1" conv=notrunc status=none]]
                        "${package}" ${mode_offset} "${mode}"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()
        math(EXPR offset "${offset} + 60 + ${size} + ${size} % 2")
    endwhile()
endforeach()
