#!/bin/sh
# Runs in the test guest, as root, with test_backlight.ko, lumtune, a user
# "tester" and /panel.sh, the build's device, floor, limit and usage_line.
# Prints a line a case and a summary; exits with 0 when no case failed.

# shellcheck source=/dev/null
. /panel.sh
: "${device:?}" "${floor:?}" "${limit:?}" "${usage_line:?}"

module=/lib/test_backlight.ko
parameters=/sys/module/test_backlight/parameters
attribute=/sys/class/backlight/$device/brightness
banner='^lumtune v[0-9]+\.[0-9a-f]{7} \(works only with 2\.6\+ kernels\)\.$'
invalid='ERROR: bright_set - Invalid value'
cannot_write='ERROR: commit_change - Cannot write kernel pipe'
largest=2147483647 passed=0 failed=0 skipped=0
# Levels go up to the largest int: the shell must compute past it, not wrap.
[ "$((largest + 1))" = 2147483648 ] || { echo "not ok - shell arithmetic is not 64-bit" && exit 1; }

max() { echo $(($1 > $2 ? $1 : $2)); }

load() {
    rmmod test_backlight 2>/dev/null
    insmod "$module" name="$device" "$@" || { failed=$((failed + 1)) && echo "not ok - insmod $*"; }
}

# put LEVEL: sets the device's level directly, without lumtune.
put() { printf '%s' "$1" >"$attribute" || { failed=$((failed + 1)) && echo "not ok - put $1"; }; }

applied() { cat "$parameters/applied_count"; }

# run STDOUT STDERR COMMAND...: runs COMMAND; $problems says how its output is
# not STDOUT ("usage" or "") and the one error line STDERR (or none).
run() {
    want_out=$1 want_err=$2
    shift 2
    before=$(applied)
    "$@" >/tmp/out 2>/tmp/err
    status=$?
    count=$(($(applied) - before))
    problems=""
    if [ "$want_out" = usage ]; then
        [ "$(wc -l </tmp/out)" -eq 2 ] && head -n 1 /tmp/out | grep -Eq "$banner" &&
            [ "$(tail -n 1 /tmp/out)" = "$usage_line" ] || problems="$problems stdout='$(cat /tmp/out)'"
    elif [ -s /tmp/out ]; then
        problems="$problems stdout='$(cat /tmp/out)'"
    fi
    lines=0
    [ -z "$want_err" ] || lines=1
    [ "$(cat /tmp/err)" = "$want_err" ] && [ "$(wc -l </tmp/err)" -eq "$lines" ] ||
        problems="$problems stderr='$(cat /tmp/err)'"
}

report() {
    [ -n "$problems" ] || { passed=$((passed + 1)) && echo "ok - $1" && return; }
    failed=$((failed + 1))
    echo "not ok - $1:$problems"
}

# skip NAME REASON: a case this panel's range leaves nothing to check with.
skip() {
    skipped=$((skipped + 1))
    echo "ok - $1 # skip $2"
}

# check NAME STATUS LEVEL APPLIED STDOUT STDERR COMMAND...: the attribute reads
# LEVEL after, which the kernel applied APPLIED times meanwhile.
check() {
    name=$1 want_status=$2 want_level=$3 want_applied=$4
    shift 4
    run "$@"
    [ "$status" = "$want_status" ] || problems="$problems status=$status"
    printf '%s\n' "$want_level" | cmp -s - "$attribute" || problems="$problems attribute='$(cat "$attribute")'"
    [ "$count" = "$want_applied" ] || problems="$problems applied=$count"
    if [ "$want_applied" -gt 0 ] && [ "$(cat "$parameters/applied_level")" != "$want_level" ]; then
        problems="$problems applied_level=$(cat "$parameters/applied_level")"
    fi
    report "$name"
}

# check_missing NAME STDERR COMMAND...: with only another device, lumtune fails
# and leaves the other's level alone.
check_missing() {
    name=$1
    shift
    run "" "$@"
    [ "$status" = 1 ] || problems="$problems status=$status"
    [ "$count" = 0 ] || problems="$problems applied_to_other=$count"
    [ "$(cat "$other/brightness")" = "$other_level" ] || problems="$problems other_level='$(cat "$other/brightness")'"
    report "$name"
}

as_tester() { su tester -c "$*"; }

# The levels: fixed ones for a range like the default, else spread over it.
if [ "$floor" -le 300 ] && [ "$limit" -ge 510 ]; then
    start=500 set_level=300 step=10
else
    start=$((floor + (limit - floor) / 2))
    set_level=$((floor + (limit - floor) / 4))
    step=$(max 1 $(((limit - floor) / 4)))
    [ "$step" -le 10 ] || step=10
fi
lowered=$((limit - step))
# Each lowering case starts at least one above the floor, even in a narrow range.
step_zero_from=$(max "$lowered" $((floor + 1)))
clamp_from=$(max $((step_zero_from - 1)) $((floor + 1)))
echo "# $device, levels $floor-$limit: start $start, step $step, set $set_level"

load max_brightness="$limit" brightness="$start"
check read_and_raise 0 $((start + step)) 1 "" "" lumtune "+$step"
check set 0 "$set_level" 1 "" "" lumtune "=$set_level"
check set_same_level 0 "$set_level" 1 "" "" lumtune "=$set_level"
check raise_clamps 0 "$limit" 1 "" "" lumtune "+$largest"
# One short of the limit, a step of 2 aims one past it.
put $((limit - 1))
check raise_one_past_limit_clamps 0 "$limit" 1 "" "" lumtune +2
check raise_at_limit 0 "$limit" 0 "" "" lumtune +1
check lower 0 "$lowered" 1 "" "" lumtune "-$step"
put "$step_zero_from"
check lower_step_zero_is_one 0 $((step_zero_from - 1)) 1 "" "" lumtune -0
put "$clamp_from"
check lower_clamps 0 "$floor" 1 "" "" lumtune "-$largest"
# Likewise one above the floor.
put $((floor + 1))
check lower_one_past_floor_clamps 0 "$floor" 1 "" "" lumtune -2
check lower_at_floor 0 "$floor" 0 "" "" lumtune -1
check set_limit 0 "$limit" 1 "" "" lumtune "=$limit"
check set_floor 0 "$floor" 1 "" "" lumtune "=$floor"
if [ "$limit" -lt "$largest" ]; then
    check set_above_limit 1 "$floor" 0 "" "$invalid" lumtune "=$((limit + 1))"
else
    skip set_above_limit "no int lies above the limit $largest"
fi
check set_below_floor 1 "$floor" 0 "" "$invalid" lumtune "=$((floor - 1))"
check set_negative 1 "$floor" 0 "" "$invalid" lumtune =-1
check usage 0 "$floor" 0 usage "" lumtune
check not_root 1 "$floor" 0 usage "ERROR: main - Must be root" as_tester lumtune "+$step"
check not_root_set 1 "$floor" 0 usage "ERROR: main - Must be root" as_tester lumtune "=$set_level"
cp /bin/lumtune /bin/lumtune-setuid && chmod 4755 /bin/lumtune-setuid
check setuid_copy 0 "$set_level" 1 "" "" as_tester lumtune-setuid "=$set_level"

# A device left below the floor, by something other than lumtune. The raise
# starts at 0, so that its step falls short of the floor where the range allows.
if [ "$floor" -gt 0 ]; then
    load max_brightness="$limit" brightness=$((floor - 1))
    check lower_below_floor_sets_floor 0 "$floor" 1 "" "" lumtune "-$step"
    load max_brightness="$limit" brightness=0
    check raise_below_floor_moves_by_step 0 "$step" 1 "" "" lumtune "+$step"
else
    skip lower_below_floor_sets_floor "the floor is 0 and the kernel refuses negative levels"
    skip raise_below_floor_moves_by_step "the floor is 0 and the kernel refuses negative levels"
fi

# A device whose maximum lies about 4% below the limit (937 of 976) refuses the
# rest: its level 4% below that (900), the refused set a third of the way up (950).
device_max=$(max "$floor" $((limit - $(max 1 $((limit / 25))))))
device_level=$(max "$floor" $((device_max - device_max / 25)))
beyond=$((device_max + (limit - device_max + 2) / 3))
echo "# device maximum $device_max, level $device_level, refused set $beyond"
load max_brightness="$device_max" brightness="$device_level"
check kernel_refuses_raise 1 "$device_level" 0 "" "$cannot_write" lumtune "+$limit"
check kernel_refuses_set 1 "$device_level" 0 "" "$cannot_write" lumtune "=$beyond"
check kernel_accepts_own_maximum 0 "$device_max" 1 "" "" lumtune "=$device_max"

# Only another device, at a level lumtune could set, and with room on both sides.
other=/sys/class/backlight/not_$device
other_level=$start
rmmod test_backlight
insmod "$module" name="not_$device" max_brightness="$limit" brightness="$other_level" ||
    { failed=$((failed + 1)) && echo "not ok - insmod name=not_$device"; }
check_missing unloaded_raise "ERROR: get_current - Cannot open kernel pipe" lumtune "+$step"
check_missing unloaded_lower "ERROR: get_current - Cannot open kernel pipe" lumtune "-$step"
check_missing unloaded_set "ERROR: commit_change - Cannot open kernel pipe" lumtune "=$start"
rmmod test_backlight

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
