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

# expect_documents WHAT PREFIX SOURCE_DIR: the manual and the licence installed
# under PREFIX (share/...) are doc/lumtune.1 and LICENSE.
expect_documents() {
    cmp -s <(gzip -dc "$2/share/man/man1/lumtune.1.gz") "$3/doc/lumtune.1" ||
        fail "the $1 manual is not doc/lumtune.1"
    cmp -s "$2/share/doc/lumtune/copyright" "$3/LICENSE" || fail "the $1 licence is not LICENSE"
}
