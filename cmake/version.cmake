# The tool's version, "<commit count>.<first seven hex digits of the commit>",
# from the first that the sources at SOURCE_DIR have: a release tarball's file
# VERSION (tools/dist: the version, full commit, commit time and date, a line
# each); a full git checkout of their own; LUMTUNE_VERSION, for sources with
# neither, whose time is SOURCE_DATE_EPOCH or else the files', which git
# archive stamps with the commit's. A LUMTUNE_VERSION given with sources of the
# first two kinds must be theirs. Run as a script at every build, it writes
# each of these only when it changes: OUTPUT, the version header; CHANGELOG,
# the package's changelog entry, signed by MAINTAINER on the commit's date;
# COMMIT_TIME, the package's time stamps by default; RELEASE_FILE, a VERSION.
include("${CMAKE_CURRENT_LIST_DIR}/source-date-epoch.cmake")
lumtune_check_source_date_epoch()

if(NOT CMAKE_SCRIPT_MODE_FILE)
    set(LUMTUNE_VERSION "" CACHE STRING "The version of sources that have none of their own: COUNT.HASH")
endif()
# refuse_version(WHY...): stops, and the refused value leaves the cache.
function(refuse_version)
    set(value "${LUMTUNE_VERSION}")
    unset(LUMTUNE_VERSION CACHE)
    string(CONCAT why ${ARGN})
    message(FATAL_ERROR "LUMTUNE_VERSION=\"${value}\" is refused: ${why}")
endfunction()
set(version_form "a decimal count, a point and seven lower-case hex digits, such as 148.541c00c")
string(REPEAT "[0-9a-f]" 7 hex7)
if(NOT "${LUMTUNE_VERSION}" MATCHES "^([1-9][0-9]*\\.${hex7})?$")
    refuse_version("a version is ${version_form}: the number of commits up to the sources' commit and its "
                   "first seven hex digits.")
endif()
set(date_form "^[A-Z][a-z][a-z], [0-9][0-9] [A-Z][a-z][a-z] [0-9]+ [0-9:]+ [-+][0-9]+$")
set(version_of "lumtune: cannot tell the version of the sources in ${SOURCE_DIR}:")

# git_output(VARIABLE ARGUMENT...): git's output in SOURCE_DIR, or "" if it
# fails or is not installed; git_error is what it said on failing.
function(git_output variable)
    find_program(git git NO_CACHE)
    if(git)
        execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C "${git}" -C "${SOURCE_DIR}" ${ARGN}
                        OUTPUT_VARIABLE output ERROR_VARIABLE error RESULT_VARIABLE status
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_STRIP_TRAILING_WHITESPACE)
    endif()
    if(NOT status EQUAL 0)
        set(${variable} "" PARENT_SCOPE)
        set(git_error "${error}" PARENT_SCOPE)
    else()
        set(${variable} "${output}" PARENT_SCOPE)
    endif()
endfunction()

if(EXISTS "${SOURCE_DIR}/VERSION")
    file(STRINGS "${SOURCE_DIR}/VERSION" release)
    list(POP_FRONT release version commit time date)
    string(REPEAT "[0-9a-f]" 40 hex40)
    string(SUBSTRING "${commit}" 0 7 short_commit)
    if(NOT version MATCHES "^[1-9][0-9]*\\.${short_commit}$" OR NOT commit MATCHES "^${hex40}$"
       OR NOT time MATCHES "^[0-9]+$" OR NOT date MATCHES "${date_form}")
        message(FATAL_ERROR "${version_of} their file VERSION is not a release tarball's, which holds "
            "the version, the full commit, its time and its date, a line each (tools/dist makes one).")
    endif()
else()
    # Only SOURCE_DIR's own checkout counts, not one that merely encloses it. git
    # gives its top directory and whether it is shallow on a line each.
    git_output(checkout rev-parse --show-toplevel --is-shallow-repository)
    string(REGEX MATCH "^([^\n]*)\n([a-z]*)$" checkout "${checkout}")
    set(top "${CMAKE_MATCH_1}")
    set(shallow "${CMAKE_MATCH_2}")
    file(REAL_PATH "${SOURCE_DIR}" source_path)
    if(git_error AND NOT git_error MATCHES "not a git repository")
        message(FATAL_ERROR "${version_of} git refuses their checkout, and says:\n${git_error}")
    elseif(top STREQUAL source_path AND shallow STREQUAL "true")
        message(FATAL_ERROR "${version_of} they are a shallow clone, which lacks the earlier "
            "commits that the version counts. Fetch the whole history first: git -C ${SOURCE_DIR} fetch --unshallow")
    elseif(top STREQUAL source_path)
        # HEAD is read once; the count is of that commit, even if another one is
        # made meanwhile. The changelog's date is the committer's, in the form
        # Debian wants, in the commit's own time zone, day and month in English.
        git_output(head log -1 "--format=%H%n%ct%n%cd" "--date=format:%a, %d %b %Y %H:%M:%S %z" HEAD)
        if(head MATCHES "^([0-9a-f]+)\n([0-9]+)\n(.*)$")
            set(commit "${CMAKE_MATCH_1}")
            set(time "${CMAKE_MATCH_2}")
            set(date "${CMAKE_MATCH_3}")
            git_output(count rev-list --count "${commit}")
        endif()
        if(NOT count MATCHES "^[0-9]+$" OR NOT time MATCHES "^[0-9]+$" OR NOT date MATCHES "${date_form}")
            message(FATAL_ERROR "${version_of} git finds no commit at HEAD to build from "
                "(git -C ${SOURCE_DIR} log -1 says why).")
        endif()
        string(SUBSTRING "${commit}" 0 7 short_commit)
        set(version "${count}.${short_commit}")
    elseif(LUMTUNE_VERSION)
        set(version "${LUMTUNE_VERSION}")
        string(REGEX REPLACE "^.*\\." "" commit "${version}")
        set(time "$ENV{SOURCE_DATE_EPOCH}")
        if(time STREQUAL "")
            file(TIMESTAMP "${SOURCE_DIR}/CMakeLists.txt" time "%s" UTC)
        endif()
        # string(TIMESTAMP) gives the time SOURCE_DATE_EPOCH holds.
        set(ENV{SOURCE_DATE_EPOCH} "${time}")
        string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
    else()
        message(FATAL_ERROR "${version_of} they are neither a release tarball, whose file VERSION "
            "gives it, nor a full git checkout of their own, as a copy, a forge's tarball or a tree made "
            "by git archive is not. Build from a release tarball (tools/dist makes one) or a git clone, "
            "or give the version of the commit they come from: -DLUMTUNE_VERSION=COUNT.HASH, "
            "${version_form}, as \"git rev-list --count COMMIT\" and \"git rev-parse --short=7 COMMIT\" "
            "in a clone give them.")
    endif()
endif()
if(LUMTUNE_VERSION AND NOT LUMTUNE_VERSION STREQUAL version)
    refuse_version("the sources in ${SOURCE_DIR} are of version ${version}, and one commit has one "
                   "version. Leave LUMTUNE_VERSION out.")
endif()
if(NOT CMAKE_SCRIPT_MODE_FILE)
    return()
endif()

# file(CONFIGURE) writes a file only when its content changes.
function(write_if_changed path content)
    file(CONFIGURE OUTPUT "${path}" CONTENT "${content}" @ONLY)
endfunction()
if(DEFINED RELEASE_FILE)
    write_if_changed("${RELEASE_FILE}" "${version}\n${commit}\n${time}\n${date}\n")
    return()
endif()
write_if_changed("${OUTPUT}" "#pragma once\n#define LUMTUNE_VERSION \"${version}\"\n")
write_if_changed("${COMMIT_TIME}" "${time}\n")
if(NOT MAINTAINER MATCHES "^[^<>]+ <[^<>@ ]+@[^<> ]+>$")
    message(FATAL_ERROR "The changelog needs MAINTAINER as \"Name <address>\", not \"${MAINTAINER}\"")
endif()
write_if_changed("${CHANGELOG}" "lumtune (${version}) UNRELEASED; urgency=medium

  * Built from commit ${commit}.

 -- ${MAINTAINER}  ${date}
")
