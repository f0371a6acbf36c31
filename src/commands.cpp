#include "commands.hpp"

#include "backlight.hpp"
#include "common.hpp"

void bright_inc(int step) {
    if (step <= 0) { step = 1; }
    const int current = get_current();
    // Compared before adding, so a large step cannot overflow.
    const int target = current > BRIGHTNESS_LIMIT - step ? BRIGHTNESS_LIMIT : current + step;
    if (target != current) { commit_change(target); }
}

void bright_dec(int step) {
    if (step <= 0) { step = 1; }
    const int current = get_current();
    // Compared before subtracting, so neither a large step nor a level far below
    // the floor can overflow. A lower from below the floor sets the floor.
    const bool reaches_floor = current <= BRIGHTNESS_FLOOR || current - BRIGHTNESS_FLOOR < step;
    const int target = reaches_floor ? BRIGHTNESS_FLOOR : current - step;
    if (target != current) { commit_change(target); }
}

void bright_set(int level) {
    if (level < BRIGHTNESS_FLOOR || level > BRIGHTNESS_LIMIT) {
        fatal_error("bright_set", "Invalid value");
    }
    commit_change(level);
}
