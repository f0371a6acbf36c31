# shellcheck shell=bash
# Shared by the release checks: report a mismatch and fail.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# expect WHAT ACTUAL EXPECTED
expect() {
    [[ $2 == "$3" ]] || fail "$1: expected [$3], got [$2]"
}

# require_environment NAME...: the variables ctest sets for the panel of the
# build (tests/CMakeLists.txt); a check never guesses one.
require_environment() {
    local name
    for name in "$@"; do
        [[ -n ${!name:-} ]] || fail "$name is not set; run the release checks through ctest"
    done
}

# expect_documents WHAT PREFIX BUILD_DIR SOURCE_DIR: the manual and the licence
# installed under PREFIX (share/...) are the build's lumtune.1 and LICENSE.
expect_documents() {
    [[ -f $3/lumtune.1 ]] || fail "the build made no manual page ($3/lumtune.1)"
    cmp -s <(gzip -dc "$2/share/man/man1/lumtune.1.gz") "$3/lumtune.1" ||
        fail "the $1 manual is not the build's lumtune.1"
    cmp -s "$2/share/doc/lumtune/copyright" "$4/LICENSE" || fail "the $1 licence is not LICENSE"
}
