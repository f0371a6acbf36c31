# Writes OUTPUT with the version "<commit count>.<first seven hex digits of HEAD>"
# of the checkout at SOURCE_DIR, or "0.0000000" outside a git checkout, and
# CHANGELOG with the package's Debian changelog: one entry of that version,
# built from that commit, signed by MAINTAINER on the commit's date (the epoch
# outside a git checkout), so the file is the same whenever it is made.
# Run at every build; each file is rewritten only when its content changes, so
# an unchanged version rebuilds nothing and a new commit is never missed.
set(version "0.0000000")
set(changes "Built outside a git checkout, from no known commit.")
set(date "Thu, 01 Jan 1970 00:00:00 +0000")
# Only SOURCE_DIR's own checkout counts, not one that merely encloses it.
execute_process(
    COMMAND git -C "${SOURCE_DIR}" rev-parse --show-toplevel
    OUTPUT_VARIABLE top
    RESULT_VARIABLE top_status
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
file(REAL_PATH "${SOURCE_DIR}" source_path)
# HEAD is read once; the count and the date are of that commit, even if another
# one is made meanwhile.
execute_process(
    COMMAND git -C "${SOURCE_DIR}" rev-parse --verify HEAD
    OUTPUT_VARIABLE commit
    RESULT_VARIABLE commit_status
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
if(top_status EQUAL 0 AND top STREQUAL source_path
   AND commit_status EQUAL 0 AND commit MATCHES "^[0-9a-f]+$")
    execute_process(
        COMMAND git -C "${SOURCE_DIR}" rev-list --count "${commit}"
        OUTPUT_VARIABLE count
        RESULT_VARIABLE count_status
        OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET)
    # The committer's date in the form Debian's changelog wants, in the
    # commit's own time zone; day and month names in English.
    set(ENV{LC_ALL} C)
    execute_process(
        COMMAND git -C "${SOURCE_DIR}" show --no-patch
                "--format=%cd" "--date=format:%a, %d %b %Y %H:%M:%S %z" "${commit}"
        OUTPUT_VARIABLE commit_date
        RESULT_VARIABLE date_status
        OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET)
    if(count_status EQUAL 0 AND count MATCHES "^[0-9]+$" AND date_status EQUAL 0
       AND commit_date MATCHES "^[A-Z][a-z][a-z], [0-9][0-9] [A-Z][a-z][a-z] [0-9]+ [0-9:]+ [-+][0-9]+$")
        string(SUBSTRING "${commit}" 0 7 short_commit)
        set(version "${count}.${short_commit}")
        set(changes "Built from commit ${commit}.")
        set(date "${commit_date}")
    endif()
endif()

function(write_if_changed path content)
    if(EXISTS "${path}")
        file(READ "${path}" old_content)
    endif()
    if(NOT old_content STREQUAL content)
        file(WRITE "${path}" "${content}")
    endif()
endfunction()

write_if_changed("${OUTPUT}" "#pragma once\n#define LUMTUNE_VERSION \"${version}\"\n")
if(DEFINED CHANGELOG)
    if(NOT MAINTAINER MATCHES "^[^<>]+ <[^<>@ ]+@[^<> ]+>$")
        message(FATAL_ERROR "The changelog needs MAINTAINER as \"Name <address>\", not \"${MAINTAINER}\"")
    endif()
    write_if_changed("${CHANGELOG}" "lumtune (${version}) UNRELEASED; urgency=medium

  * ${changes}

 -- ${MAINTAINER}  ${date}
")
endif()
