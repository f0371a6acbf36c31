# Read by cpack: the package takes the version of the tool as built.
if(NOT EXISTS "${CPACK_LUMTUNE_VERSION_HEADER}")
    message(FATAL_ERROR "Build lumtune before packaging it: ${CPACK_LUMTUNE_VERSION_HEADER} is missing")
endif()
file(STRINGS "${CPACK_LUMTUNE_VERSION_HEADER}" version_line REGEX "LUMTUNE_VERSION \"[0-9]+\\.[0-9a-f]+\"")
if(NOT version_line MATCHES "\"([0-9]+\\.[0-9a-f]+)\"")
    message(FATAL_ERROR "No version in ${CPACK_LUMTUNE_VERSION_HEADER}")
endif()
set(CPACK_PACKAGE_VERSION "${CMAKE_MATCH_1}")
