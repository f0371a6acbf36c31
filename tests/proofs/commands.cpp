// Proves bright_inc, bright_dec and bright_set for every panel the configure
// accepts (0 <= floor < limit), every level read (any int) and every step or
// level given (any int), with no signed overflow anywhere:
//   raise: writes exactly min(level + max(step, 1), limit), in 64 bits;
//   lower: writes exactly max(level - max(step, 1), floor), in 64 bits;
//   either writes nothing when that equals the level read;
//   set: refuses a level outside the floor to the limit, writing nothing, and
//        writes one inside.
// get_current reads any int; commit_change and fatal_error record their calls.
// The source, its own headers with it, in C linkage, as the other harnesses'.
extern "C" {
#include "../../src/commands.cpp"

static int level_read, level_written;
static bool written = false, refusal_right = false;
int get_current() { return level_read; }
void commit_change(int level) {
    __CPROVER_assert(!written, "one write at most");
    written = true;
    level_written = level;
}
void fatal_error(const char *, const char *) {
    __CPROVER_assert(refusal_right && !written,
                     "refused only a set outside the floor to the limit, unwritten");
    __CPROVER_assume(false); // it never returns
}
// Named here, so that a counterexample shows them.
static void choose_panel_and_level() {
    const int floor = BRIGHTNESS_FLOOR, limit = BRIGHTNESS_LIMIT;
    __CPROVER_assume(0 <= floor && floor < limit);
    level_read = nondet_int();
}
static void expect_change(long long target) {
    __CPROVER_assert(written == (target != level_read), "written exactly when the level changes");
    __CPROVER_assert(!written || level_written == target, "the clamped level written");
}
void proof_raise() {
    choose_panel_and_level();
    const int step = nondet_int();
    bright_inc(step);
    const long long sum = static_cast<long long>(level_read) + (step <= 0 ? 1 : step);
    expect_change(sum > BRIGHTNESS_LIMIT ? BRIGHTNESS_LIMIT : sum);
    COVER(written);
    COVER(!written);
}
void proof_lower() {
    choose_panel_and_level();
    const int step = nondet_int();
    bright_dec(step);
    const long long difference = static_cast<long long>(level_read) - (step <= 0 ? 1 : step);
    expect_change(difference < BRIGHTNESS_FLOOR ? BRIGHTNESS_FLOOR : difference);
    COVER(written);
    COVER(!written);
}
void proof_set() {
    choose_panel_and_level();
    const int level = nondet_int();
    refusal_right = level < BRIGHTNESS_FLOOR || level > BRIGHTNESS_LIMIT;
    COVER(refusal_right); // reached, and refused: no path goes on past the call
    bright_set(level);
    __CPROVER_assert(!refusal_right && written && level_written == level, "a level inside written");
    COVER(written);
}
}
