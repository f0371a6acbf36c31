# Removes what "cmake --install" of the build in BUILD_DIR puts under PREFIX
# (below $DESTDIR, when that is set), and nothing else: the same install,
# staged into a scratch directory, tells which files those are. The
# directories that are lumtune's own (share/licenses/lumtune) go too, once
# empty; shared ones such as bin/ stay. "cmake --build build --target
# uninstall" runs it with the build's prefix:
#
#   cmake -DBUILD_DIR=build -DPREFIX=/usr/local -P cmake/uninstall.cmake
foreach(variable BUILD_DIR PREFIX)
    if(NOT ${variable})
        message(FATAL_ERROR "uninstall: ${variable} is not set")
    endif()
endforeach()

set(stage "${BUILD_DIR}/uninstall-stage")
file(REMOVE_RECURSE "${stage}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${stage}"
            "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE_RECURSE "${stage}")
    message(FATAL_ERROR "uninstall: cannot tell what the install puts in place:\n${output}")
endif()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${stage}${PREFIX}" "${stage}${PREFIX}/*")
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${stage}${PREFIX}" "${stage}${PREFIX}/*")
file(REMOVE_RECURSE "${stage}")

set(target "$ENV{DESTDIR}${PREFIX}")
foreach(file IN LISTS files)
    if(EXISTS "${target}/${file}" OR IS_SYMLINK "${target}/${file}")
        file(REMOVE "${target}/${file}")
        message(STATUS "Removed ${target}/${file}")
    endif()
endforeach()
foreach(entry IN LISTS entries)
    get_filename_component(name "${entry}" NAME)
    if(name STREQUAL "lumtune" AND IS_DIRECTORY "${target}/${entry}")
        file(GLOB left "${target}/${entry}/*" "${target}/${entry}/.*")
        if(NOT left)
            file(REMOVE_RECURSE "${target}/${entry}")
            message(STATUS "Removed ${target}/${entry}/")
        endif()
    endif()
endforeach()
