# shellcheck shell=bash
# Sourced first by every script of the project's: it stops at the first
# command that fails, as set -e does, and says which command failed, on which
# line, with which status, which set -e alone never says.
set -Eeuo pipefail
trap 'echo "$0: line $LINENO: \"$BASH_COMMAND\" failed with exit status $?" >&2' ERR
