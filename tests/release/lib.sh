# shellcheck shell=bash
# Shared by the release checks.
fail() { echo "FAIL: $*" >&2; exit 1; }

# expect WHAT ACTUAL EXPECTED
expect() { [[ $2 == "$3" ]] || fail "$1: expected [$3], got [$2]"; }

# require_environment NAME...: the variables ctest sets for the panel of the
# build (tests/CMakeLists.txt); a check never guesses one.
require_environment() {
    local name
    for name in "$@"; do
        [[ -n ${!name:-} ]] || fail "$name is not set; run the release checks through ctest"
    done
}

# require_program PROGRAM PACKAGE: fail unless PROGRAM is installed, naming the
# Debian package that has it.
require_program() { command -v "$1" >/dev/null || fail "$1 is missing (Debian package $2)"; }

# as_nobody DIR: the array as_nobody, running a command as uid 65534, who then
# owns DIR: by setpriv for the machine's root (a chroot grants no user
# namespace), else in a user namespace.
as_nobody() {
    as_nobody=(unshare --user --map-user=65534 --map-group=65534)
    [[ $(awk '{ print $1, $2, $3 }' /proc/self/uid_map) == "0 0 4294967295" && $(id -u) == 0 ]] || return 0
    chown -R 65534:65534 "$1" && as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
}

# debian_architecture BINARY: the Debian architecture of the ELF file BINARY.
debian_architecture() {
    case $(readelf --file-header "$1" | sed -n 's/^ *Machine: *//p') in
    *X86-64) echo amd64 ;;
    AArch64) echo arm64 ;;
    *) fail "$1: no Debian architecture known for its machine" ;;
    esac
}

# build_compilers BUILD_DIR SOURCE_DIR: the array compilers, the configure's
# arguments for the compilers of BUILD_DIR: TARGET_CC and TARGET_CXX, or the
# toolchain file (a relative one the build's or the source's).
# shellcheck disable=SC2034 # compilers is the caller's
build_compilers() {
    local toolchain base
    require_environment TARGET_CC TARGET_CXX
    compilers=(-DCMAKE_C_COMPILER="$TARGET_CC" -DCMAKE_CXX_COMPILER="$TARGET_CXX")
    toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$1/CMakeCache.txt")
    [[ -n $toolchain ]] || return 0
    for base in "$1" "$2"; do
        [[ $toolchain == /* || ! -f $base/$toolchain ]] || toolchain=$(realpath "$base/$toolchain")
    done
    [[ -f $toolchain ]] || fail "the build's toolchain file $toolchain is not there"
    compilers=(--toolchain "$toolchain")
}

# expect_gzip_n WHAT FILE: compressed as by "gzip -9n": no name, no time, -9.
expect_gzip_n() { expect "the gzip header of $1" "$(od -An -tx1 -N9 "$2" | tr -d ' \n')" 1f8b08000000000002; }

# expect_manual WHAT PREFIX BUILD_DIR: under PREFIX, the build's manual.
expect_manual() {
    expect_gzip_n "the $1 manual" "$2/share/man/man1/lumtune.1.gz"
    cmp -s <(gzip -dc "$2/share/man/man1/lumtune.1.gz") "$3/lumtune.1" || fail "the $1 manual is not the build's lumtune.1"
}

# expect_documents WHAT PREFIX BUILD_DIR SOURCE_DIR VERSION: under PREFIX, the
# Debian package's documents: a changelog entry of VERSION, naming its commit
# on its date; the copyright file made from LICENSE, with the build's
# LUMTUNE_SOURCE_URL.
expect_documents() {
    local what=$1 doc=$2/share/doc/lumtune build=$3 source=$4 version=$5 commit date url holders
    expect_gzip_n "the $what changelog" "$doc/changelog.gz"
    commit=$(git -C "$source" rev-parse "${version#*.}")
    expect "the commits up to the version's" "$(git -C "$source" rev-list --count "$commit")" "${version%%.*}"
    date=$(LC_ALL=C git -C "$source" show --no-patch --format=%cd --date="format:%a, %d %b %Y %H:%M:%S %z" "$commit")
    expect "the $what changelog" "$(gzip -dc "$doc/changelog.gz" | sed 's/^ -- [^<]*<[^>]*>  / -- MAINTAINER  /')" \
        "lumtune ($version) UNRELEASED; urgency=medium

  * Built from commit $commit.

 -- MAINTAINER  $date"
    url=$(sed -n 's/^LUMTUNE_SOURCE_URL:[A-Z]*=//p' "$build/CMakeCache.txt")
    holders=$(sed -n 's/^Copyright (c) //p' "$source/LICENSE")
    [[ -n $url && -n $holders ]] || fail "no LUMTUNE_SOURCE_URL in the build, or no holders in LICENSE"
    expect "the $what copyright file" "$(cat "$doc/copyright")" "$(printf '%s\n' \
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "Upstream-Name: lumtune" \
        "Source: $url" "" "Files: *" "Copyright: $holders" "License: MIT" "" "License: MIT"
        sed -e 's/^$/./' -e 's/^/ /' "$source/LICENSE")"
}

# target_binutils: $binutils, the prefix of TARGET_CC's target's binutils ("" for the machine's).
target_binutils() {
    local triplet
    require_environment TARGET_CC
    triplet=$("$TARGET_CC" -dumpmachine) binutils=""
    [[ $(uname -m) == "${triplet%%-*}" ]] || binutils=$triplet-
    require_program "${binutils}objdump" "binutils${binutils:+-$triplet}"
}

# expect_fortified WHAT BINARY: BINARY calls libc's checked functions, as
# _FORTIFY_SOURCE makes it, and hardening-check (of devscripts), which calls
# objdump and readelf by those names, given the target's, finds every
# hardening it can tell; $report is what it says.
expect_fortified() {
    local tool line
    require_program hardening-check devscripts
    readelf --dyn-syms --wide "$2" | grep -v __stack_chk_fail | grep -qE ' __[a-z0-9_]+_chk' ||
        fail "$1: $2 calls none of libc's checked functions: it is not fortified"
    target_binutils
    mkdir -p "$work/binutils"
    for tool in objdump readelf; do ln -sf "$(command -v "$binutils$tool")" "$work/binutils/$tool"; done
    report=$(PATH=$work/binutils:$PATH hardening-check "$2" 2>&1) || true
    for line in "Position Independent Executable: yes" "Stack protected: yes" "Fortify Source functions: yes" \
        "Read-only relocations: yes" "Immediate binding: yes"; do
        [[ $report == *"$line"* ]] || fail "$1: hardening-check does not say \"$line\": $report"
    done
}
