// The three things the tool can do to the backlight.
#pragma once

// Raises the level by the step (at least 1), stopping at BRIGHTNESS_LIMIT.
void bright_inc(int step);

// Lowers the level by the step (at least 1), stopping at BRIGHTNESS_FLOOR.
void bright_dec(int step);

// Sets the level; a level outside BRIGHTNESS_FLOOR to BRIGHTNESS_LIMIT is refused.
void bright_set(int level);
