// The tool's only contact with the hardware: the backlight's brightness attribute.
#pragma once

// Returns the level the attribute holds now.
int get_current();

// Writes a level to the attribute, as decimal text in a single write.
void commit_change(int level);
