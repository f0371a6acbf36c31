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

# debian_architecture BINARY: the Debian architecture of the ELF file BINARY,
# read from its header: the architecture a package of it is for.
debian_architecture() {
    local machine
    machine=$(readelf --file-header "$1" | sed -n 's/^ *Machine: *//p')
    case $machine in
    *X86-64) echo amd64 ;;
    AArch64) echo arm64 ;;
    *) fail "$1: no Debian architecture known for the machine [$machine]" ;;
    esac
}

# build_compilers BUILD_DIR SOURCE_DIR: sets the array compilers to the
# configure's arguments that choose the compilers of the build in BUILD_DIR,
# for a scratch build like it: TARGET_CC and TARGET_CXX, or for a cross build
# its toolchain file.
# shellcheck disable=SC2034 # compilers is the caller's
build_compilers() {
    local build=$1 source=$2 toolchain base
    require_environment TARGET_CC TARGET_CXX
    compilers=(-DCMAKE_C_COMPILER="$TARGET_CC" -DCMAKE_CXX_COMPILER="$TARGET_CXX")
    toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")
    [[ -n $toolchain ]] || return 0
    # A relative one is the build's or, failing that, the source's, as CMake finds it.
    for base in "$build" "$source"; do
        [[ $toolchain == /* || ! -f $base/$toolchain ]] || toolchain=$(realpath "$base/$toolchain")
    done
    [[ -f $toolchain ]] || fail "the build's toolchain file $toolchain is not there"
    compilers=(--toolchain "$toolchain")
}

# require_program PROGRAM PACKAGE: fail unless PROGRAM is installed, naming the
# Debian package that has it.
require_program() {
    command -v "$1" >/dev/null || fail "$1 is missing (Debian package $2)"
}

# expect_gzip_n WHAT FILE: FILE is compressed as "gzip -9n" does it: no file
# name and no time stamp in its header, and the best compression.
expect_gzip_n() {
    local header flags
    header=$(od -An -tx1 -N10 "$2" | tr -d ' \n')
    [[ $header =~ ^1f8b08([0-9a-f]{2})([0-9a-f]{8})([0-9a-f]{2})[0-9a-f]{2}$ ]] ||
        fail "$1 is not compressed with gzip: header $header"
    flags=$((0x${BASH_REMATCH[1]}))
    if ((flags & 0x08)); then
        fail "$1 has a file name in its gzip header"
    fi
    expect "time stamp in the gzip header of $1" "${BASH_REMATCH[2]}" 00000000
    expect "compression level in the gzip header of $1 (2 is -9)" "${BASH_REMATCH[3]}" 02
}

# changelog_field TEXT FIELD: the field of the top entry of the changelog TEXT.
changelog_field() {
    dpkg-parsechangelog -l - -S "$2" <<<"$1"
}

# expect_changelog WHAT FILE VERSION SOURCE_DIR: FILE is the changelog of a
# native package of that version, compressed with gzip -9n. Its one entry says
# which commit of SOURCE_DIR it was built from, and bears that commit's date,
# as git gives them.
expect_changelog() {
    local what=$1 file=$2 version=$3 source=$4 text changes date
    [[ -f $file ]] || fail "no $what changelog at $file"
    expect_gzip_n "the $what changelog" "$file"
    text=$(gzip -dc "$file")
    expect "the versions of the $what changelog's entries" \
        "$(dpkg-parsechangelog -l - --format rfc822 --all <<<"$text" | sed -n 's/^Version: //p')" "$version"
    expect "the $what changelog's source" "$(changelog_field "$text" Source)" lumtune
    expect "the $what changelog's distribution" "$(changelog_field "$text" Distribution)" UNRELEASED
    # The entry below its heading line, as dpkg-parsechangelog -S gives it:
    # after an empty line, the heading, then the entry with one space less.
    changes=$(changelog_field "$text" Changes | sed 1,2d)
    local built_from='^\.'$'\n''  \* Built from commit ([0-9a-f]{40})\.$'
    [[ $changes =~ $built_from ]] || fail "the $what changelog's changes do not name the commit: [$changes]"
    local commit=${BASH_REMATCH[1]}
    expect "the $what changelog's commit against its version" \
        "$(git -C "$source" rev-list --count "$commit").${commit:0:7}" "$version"
    date=$(LC_ALL=C git -C "$source" show --no-patch --format=%cd --date="format:%a, %d %b %Y %H:%M:%S %z" "$commit")
    expect "the $what changelog's date against its commit's" "$(changelog_field "$text" Date)" "$date"
}

# expect_copyright WHAT FILE BUILD_DIR SOURCE_DIR: FILE is the machine-readable
# Debian copyright file made from LICENSE, with the build's LUMTUNE_SOURCE_URL
# for Source, and its licence text read back is LICENSE.
expect_copyright() {
    local what=$1 file=$2 build=$3 source=$4 source_url holders expected
    source_url=$(sed -n 's/^LUMTUNE_SOURCE_URL:[A-Z]*=//p' "$build/CMakeCache.txt")
    [[ -n $source_url ]] || fail "the build has no LUMTUNE_SOURCE_URL"
    holders=$(sed -n 's/^Copyright (c) //p' "$source/LICENSE")
    [[ -n $holders ]] || fail "LICENSE names no copyright holders"
    expected=$(printf '%s\n' "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
        "Upstream-Name: lumtune" "Source: $source_url" "" "Files: *" "Copyright: $holders" \
        "License: MIT" "" "License: MIT"
        sed -e 's/^$/./' -e 's/^/ /' "$source/LICENSE")
    local differences
    differences=$(diff <(printf '%s\n' "$expected") "$file") ||
        fail "the $what copyright file is not the one made from LICENSE:
$differences"
    cmp -s <(sed -n '/^License: MIT$/,$p' "$file" | sed -n '/^ /{s/^ //;s/^\.$//;p}') "$source/LICENSE" ||
        fail "the $what copyright file's licence text is not LICENSE"
}

# expect_documents WHAT PREFIX BUILD_DIR SOURCE_DIR VERSION: the manual, the
# changelog and the copyright file installed under PREFIX (share/...) are the
# build's lumtune.1, a changelog of VERSION, and the copyright file made from
# LICENSE.
expect_documents() {
    require_program dpkg-parsechangelog dpkg-dev
    [[ -f $3/lumtune.1 ]] || fail "the build made no manual page ($3/lumtune.1)"
    expect_gzip_n "the $1 manual" "$2/share/man/man1/lumtune.1.gz"
    cmp -s <(gzip -dc "$2/share/man/man1/lumtune.1.gz") "$3/lumtune.1" ||
        fail "the $1 manual is not the build's lumtune.1"
    expect_changelog "$1" "$2/share/doc/lumtune/changelog.gz" "$5" "$4"
    expect_copyright "$1" "$2/share/doc/lumtune/copyright" "$3" "$4"
}
