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
