#!/bin/sh
# Runs inside the test guest, as root, with test_backlight.ko, lumtune and an
# unprivileged user "tester". Prints one line a case and a summary, and exits
# with 0 only when every case passed.

module=/lib/test_backlight.ko
parameters=/sys/module/test_backlight/parameters
attribute=/sys/class/backlight/intel_backlight/brightness
banner='^lumtune v[0-9]+\.[0-9a-f]{7} \(works only with 2\.6\+ kernels\)\.$'
usage_line='usage: lumtune [+-=[0-976]]'
passed=0
failed=0

load() {
    rmmod test_backlight 2>/dev/null
    insmod "$module" "$@" || echo "not ok - insmod $*"
}

applied() {
    cat "$parameters/applied_count"
}

# Collects what is wrong with the last run into $problems.
expect_output() {
    if [ "$1" = usage ]; then
        [ "$(wc -l </tmp/out)" -eq 2 ] && head -n 1 /tmp/out | grep -Eq "$banner" &&
            [ "$(tail -n 1 /tmp/out)" = "$usage_line" ] ||
            problems="$problems stdout='$(cat /tmp/out)'"
    elif [ -s /tmp/out ]; then
        problems="$problems stdout='$(cat /tmp/out)'"
    fi
    if [ -n "$2" ]; then
        [ "$(cat /tmp/err)" = "$2" ] && [ "$(wc -l </tmp/err)" -eq 1 ] ||
            problems="$problems stderr='$(cat /tmp/err)'"
    elif [ -s /tmp/err ]; then
        problems="$problems stderr='$(cat /tmp/err)'"
    fi
}

report() {
    if [ -z "$problems" ]; then
        passed=$((passed + 1))
        echo "ok - $1"
    else
        failed=$((failed + 1))
        echo "not ok - $1:$problems"
    fi
}

# check NAME STATUS LEVEL APPLIED STDOUT STDERR COMMAND...
#   LEVEL    the attribute's text afterwards, without its line end
#   APPLIED  how many times the kernel applied a level during the command
#   STDOUT   "usage" for the banner and usage lines, "" for nothing
check() {
    name=$1 want_status=$2 want_level=$3 want_applied=$4 want_out=$5 want_err=$6
    shift 6
    before=$(applied)
    "$@" >/tmp/out 2>/tmp/err
    status=$?
    problems=""
    [ "$status" = "$want_status" ] || problems="$problems status=$status"
    printf '%s\n' "$want_level" | cmp -s - "$attribute" ||
        problems="$problems attribute='$(cat "$attribute")'"
    count=$(($(applied) - before))
    [ "$count" = "$want_applied" ] || problems="$problems applied=$count"
    if [ "$want_applied" -gt 0 ] && [ "$(cat "$parameters/applied_level")" != "$want_level" ]; then
        problems="$problems applied_level=$(cat "$parameters/applied_level")"
    fi
    expect_output "$want_out" "$want_err"
    report "$name"
}

# check_missing NAME STDERR COMMAND...: the device is gone; nothing may appear.
check_missing() {
    name=$1 want_err=$2
    shift 2
    "$@" >/tmp/out 2>/tmp/err
    status=$?
    problems=""
    [ "$status" = 1 ] || problems="$problems status=$status"
    [ -z "$(ls -A /sys/class/backlight)" ] ||
        problems="$problems created='$(ls -A /sys/class/backlight)'"
    expect_output "" "$want_err"
    report "$name"
}

as_tester() {
    su tester -c "$*"
}

load max_brightness=976 brightness=500
check read_and_raise 0 510 1 "" "" lumtune +10
check set 0 300 1 "" "" lumtune =300
check set_same_level 0 300 1 "" "" lumtune =300
check raise_clamps 0 976 1 "" "" lumtune +5000
check raise_at_limit 0 976 0 "" "" lumtune +1
check lower 0 966 1 "" "" lumtune -10
check lower_step_zero_is_one 0 965 1 "" "" lumtune -0
check lower_clamps 0 0 1 "" "" lumtune -5000
check lower_at_zero 0 0 0 "" "" lumtune -1
check set_limit 0 976 1 "" "" lumtune =976
check set_zero 0 0 1 "" "" lumtune =0
check set_above_limit 1 0 0 "" "ERROR: bright_set - Invalid value" lumtune =977
check set_negative 1 0 0 "" "ERROR: bright_set - Invalid value" lumtune =-1
check usage 0 0 0 usage "" lumtune
check not_root 1 0 0 usage "ERROR: main - Must be root" as_tester lumtune +10
check not_root_set 1 0 0 usage "ERROR: main - Must be root" as_tester lumtune =300
cp /bin/lumtune /bin/lumtune-setuid && chmod 4755 /bin/lumtune-setuid
check setuid_copy 0 300 1 "" "" as_tester lumtune-setuid =300

# A device whose own maximum lies below the tool's limit refuses the rest.
load max_brightness=937 brightness=900
check kernel_refuses_raise 1 900 0 "" "ERROR: commit_change - Cannot write kernel pipe" lumtune +100
check kernel_refuses_set 1 900 0 "" "ERROR: commit_change - Cannot write kernel pipe" lumtune =950
check kernel_accepts_own_maximum 0 937 1 "" "" lumtune =937

rmmod test_backlight
check_missing unloaded_raise "ERROR: get_current - Cannot open kernel pipe" lumtune +10
check_missing unloaded_lower "ERROR: get_current - Cannot open kernel pipe" lumtune -10
check_missing unloaded_set "ERROR: commit_change - Cannot open kernel pipe" lumtune =500

echo "$passed passed, $failed failed"
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
