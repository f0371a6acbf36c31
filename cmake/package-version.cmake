# Read by cpack: the package takes the version of the tool as built, and its
# time stamps are SOURCE_DATE_EPOCH, by default the time of the commit the
# tool was built from.
if(NOT EXISTS "${CPACK_LUMTUNE_VERSION_HEADER}" OR NOT EXISTS "${CPACK_LUMTUNE_COMMIT_TIME}")
    message(FATAL_ERROR "Build lumtune before packaging it: ${CPACK_LUMTUNE_VERSION_HEADER} "
                        "or ${CPACK_LUMTUNE_COMMIT_TIME} is missing")
endif()
file(STRINGS "${CPACK_LUMTUNE_VERSION_HEADER}" version_line REGEX "LUMTUNE_VERSION \"[0-9]+\\.[0-9a-f]+\"")
if(NOT version_line MATCHES "\"([0-9]+\\.[0-9a-f]+)\"")
    message(FATAL_ERROR "No version in ${CPACK_LUMTUNE_VERSION_HEADER}")
endif()
set(CPACK_PACKAGE_VERSION "${CMAKE_MATCH_1}")
include("${CMAKE_CURRENT_LIST_DIR}/source-date-epoch.cmake")
lumtune_check_source_date_epoch()
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    file(STRINGS "${CPACK_LUMTUNE_COMMIT_TIME}" commit_time REGEX "^[0-9]+$")
    if(NOT commit_time)
        message(FATAL_ERROR "No commit time in ${CPACK_LUMTUNE_COMMIT_TIME}")
    endif()
    set(ENV{SOURCE_DATE_EPOCH} "${commit_time}")
endif()
# The Depends line comes from dpkg-shlibdeps, which must be there and runnable:
# without it cpack makes a package that depends on nothing.
cmake_policy(PUSH)
cmake_policy(SET CMP0109 NEW)
find_program(SHLIBDEPS_EXECUTABLE dpkg-shlibdeps)
cmake_policy(POP)
if(NOT SHLIBDEPS_EXECUTABLE)
    message(FATAL_ERROR "lumtune: refusing to package without dpkg-shlibdeps, which gives the "
        "package its Depends line: install the Debian package dpkg-dev, then cpack again.")
endif()
