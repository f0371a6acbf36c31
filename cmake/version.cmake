# Writes OUTPUT with the version "<commit count>.<first seven hex digits of HEAD>"
# of the checkout at SOURCE_DIR, or "0.0000000" outside a git checkout.
# Run at every build; the file is rewritten only when the version changes, so an
# unchanged version rebuilds nothing and a new commit is never missed.
set(version "0.0000000")
# Only SOURCE_DIR's own checkout counts, not one that merely encloses it.
execute_process(
    COMMAND git -C "${SOURCE_DIR}" rev-parse --show-toplevel
    OUTPUT_VARIABLE top
    RESULT_VARIABLE top_status
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
file(REAL_PATH "${SOURCE_DIR}" source_path)
execute_process(
    COMMAND git -C "${SOURCE_DIR}" rev-list --count HEAD
    OUTPUT_VARIABLE count
    RESULT_VARIABLE count_status
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
execute_process(
    COMMAND git -C "${SOURCE_DIR}" rev-parse --verify HEAD
    OUTPUT_VARIABLE commit
    RESULT_VARIABLE commit_status
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
if(top_status EQUAL 0 AND top STREQUAL source_path
   AND count_status EQUAL 0 AND commit_status EQUAL 0
   AND count MATCHES "^[0-9]+$" AND commit MATCHES "^[0-9a-f]+$")
    string(SUBSTRING "${commit}" 0 7 short_commit)
    set(version "${count}.${short_commit}")
endif()

set(content "#pragma once\n#define LUMTUNE_VERSION \"${version}\"\n")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old_content)
endif()
if(NOT old_content STREQUAL content)
    file(WRITE "${OUTPUT}" "${content}")
endif()
