# A Debian package of the installed files: cpack -G DEB in the build directory.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumtune)
set(CPACK_PACKAGE_VENDOR "The lumtune developers")
set(CPACK_PACKAGE_CONTACT "The lumtune developers <maintainers@users.noreply.c-seed-3a9f07ca.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "raise, lower or set the display backlight level")
# The long description, wrapped as a Debian control file wants it. It names
# the panel the package is built for; the device's line stays within 80
# columns for a name of up to 31 characters.
string(CONFIGURE [[
lumtune changes the brightness of a display backlight through its sysfs
attribute: it raises or lowers the level by a step, or sets it to a level
between a floor and a limit chosen when it was built. It is meant to be bound
to the brightness keys: it is silent on success, links against libc alone and
starts as fast as a C program.

This package is built for the backlight device @LUMTUNE_DEVICE@,
with the floor @LUMTUNE_FLOOR@ and the limit @LUMTUNE_LIMIT@.

It is installed set-user-id root, so that every user can run it. It reads no
environment, configuration or state, and touches no file but the backlight's
brightness attribute.]] CPACK_PACKAGE_DESCRIPTION @ONLY)
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
# Two builds of one commit make the same package: its modes never follow the
# builder's umask, neither the directories' nor the ar members'.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/deb-member-modes.cmake")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A cross build's package is for the tool's architecture; dpkg-shlibdeps takes
# the dependency from the shlibs file of Debian's cross libc.
if(CMAKE_CROSSCOMPILING)
    find_program(DPKG_ARCHITECTURE dpkg-architecture)
    if(DPKG_ARCHITECTURE AND CMAKE_C_LIBRARY_ARCHITECTURE)
        execute_process(COMMAND "${DPKG_ARCHITECTURE}" -qDEB_HOST_ARCH -t "${CMAKE_C_LIBRARY_ARCHITECTURE}"
                        OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    execute_process(COMMAND "${CMAKE_C_COMPILER}" -print-file-name=libc.so.6
                    OUTPUT_VARIABLE target_libc OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(target_libraries "${target_libc}" DIRECTORY)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${target_libraries}")
endif()
# The changelog's entry is signed by the package's contact (CMakeLists.txt).
set_target_properties(lumtune_version PROPERTIES MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Lintian warns of every set-user-id program: the package alone tells it that
# this one is meant to be.
install(FILES cmake/lintian-overrides
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides" RENAME lumtune
    COMPONENT debian EXCLUDE_FROM_ALL)
# Only a hardened build is packaged: for any other, the install that cpack
# makes stops first, at the check that CMakeLists.txt gathered.
get_property(package_check GLOBAL PROPERTY LUMTUNE_PACKAGE_CHECK)
install(CODE "${package_check}" COMPONENT hardened EXCLUDE_FROM_ALL)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};hardened;/"
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/"
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")
# The tool's version and the commit's time, read when cpack runs.
set(CPACK_LUMTUNE_VERSION_HEADER "${VERSION_HEADER}")
set(CPACK_LUMTUNE_COMMIT_TIME "${COMMIT_TIME}")
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/package-version.cmake")
include(CPack)
