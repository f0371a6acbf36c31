# The tool's version, "<commit count>.<first seven hex digits of HEAD>" of the
# git checkout at SOURCE_DIR: one commit, one version, from any full clone. A
# tree without a checkout of its own (a copy, git archive) or a shallow clone
# cannot tell it, and stops the configure, which includes this file. Run as a
# script at every build, it writes each of these only when it changes:
#   OUTPUT         the version header;
#   CHANGELOG      the package's changelog: one entry of that version, signed by
#                  MAINTAINER on the commit's date;
#   COMMIT_TIME    the commit's time, the package's time stamps by default.
include("${CMAKE_CURRENT_LIST_DIR}/source-date-epoch.cmake")
lumtune_check_source_date_epoch()

# git_output(VARIABLE ARGUMENT...): git's output in SOURCE_DIR, or "" if it fails.
function(git_output variable)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C git -C "${SOURCE_DIR}" ${ARGN}
        OUTPUT_VARIABLE output
        RESULT_VARIABLE status
        OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET)
    if(NOT status EQUAL 0)
        set(output "")
    endif()
    set(${variable} "${output}" PARENT_SCOPE)
endfunction()

# Only SOURCE_DIR's own checkout counts, not one that merely encloses it. git
# gives its top directory and whether it is shallow on a line each.
git_output(checkout rev-parse --show-toplevel --is-shallow-repository)
string(REGEX MATCH "^([^\n]*)\n([a-z]*)$" checkout "${checkout}")
set(top "${CMAKE_MATCH_1}")
set(shallow "${CMAKE_MATCH_2}")
file(REAL_PATH "${SOURCE_DIR}" source_path)
if(NOT top STREQUAL source_path)
    message(FATAL_ERROR "lumtune: cannot tell the version of the sources in ${SOURCE_DIR}: they "
        "are not a git checkout of their own, as a copy or a tree made by git archive is not. "
        "The version names the commit a build comes from and counts the commits up to it, so "
        "lumtune is built from a git clone of its repository: clone it with git clone, and build "
        "in the clone.")
endif()
if(shallow STREQUAL "true")
    message(FATAL_ERROR "lumtune: cannot tell the version of the sources in ${SOURCE_DIR}: they "
        "are a shallow clone, which lacks the earlier commits that the version counts. Fetch "
        "the whole history first: git -C ${SOURCE_DIR} fetch --unshallow")
endif()
# HEAD is read once; the count and the dates are of that commit, even if
# another one is made meanwhile. The changelog's date is the committer's, in
# the form Debian wants, in the commit's own time zone, day and month in English.
git_output(commit rev-parse --verify HEAD)
if(commit MATCHES "^[0-9a-f]+$")
    git_output(count rev-list --count "${commit}")
    git_output(dates show --no-patch "--format=%ct%n%cd" "--date=format:%a, %d %b %Y %H:%M:%S %z"
               "${commit}")
    string(REGEX MATCH "^([0-9]+)\n(.*)$" dates "${dates}")
    set(time "${CMAKE_MATCH_1}")
    set(date "${CMAKE_MATCH_2}")
endif()
if(NOT count MATCHES "^[0-9]+$" OR NOT time MATCHES "^[0-9]+$"
   OR NOT date MATCHES "^[A-Z][a-z][a-z], [0-9][0-9] [A-Z][a-z][a-z] [0-9]+ [0-9:]+ [-+][0-9]+$")
    message(FATAL_ERROR "lumtune: cannot tell the version of the sources in ${SOURCE_DIR}: git "
        "finds no commit at HEAD to build from (git -C ${SOURCE_DIR} log -1 says why).")
endif()
string(SUBSTRING "${commit}" 0 7 short_commit)
set(version "${count}.${short_commit}")
if(NOT CMAKE_SCRIPT_MODE_FILE)
    return()
endif()

# file(CONFIGURE) writes a file only when its content changes.
function(write_if_changed path content)
    file(CONFIGURE OUTPUT "${path}" CONTENT "${content}" @ONLY)
endfunction()
write_if_changed("${OUTPUT}" "#pragma once\n#define LUMTUNE_VERSION \"${version}\"\n")
if(DEFINED COMMIT_TIME)
    write_if_changed("${COMMIT_TIME}" "${time}\n")
endif()
if(DEFINED CHANGELOG)
    if(NOT MAINTAINER MATCHES "^[^<>]+ <[^<>@ ]+@[^<> ]+>$")
        message(FATAL_ERROR "The changelog needs MAINTAINER as \"Name <address>\", not \"${MAINTAINER}\"")
    endif()
    write_if_changed("${CHANGELOG}" "lumtune (${version}) UNRELEASED; urgency=medium

  * Built from commit ${commit}.

 -- ${MAINTAINER}  ${date}
")
endif()
