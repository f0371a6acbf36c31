// Constants shared by the whole tool, the single error exit, and the one
// number conversion used for both the argument and the attribute's text.
#pragma once

#include "panel.hpp"

// The panel the build chose: the lowest level written when lowering or
// setting, the highest when raising or setting, and its device's attribute.
inline constexpr int BRIGHTNESS_FLOOR = LUMTUNE_FLOOR;
inline constexpr int BRIGHTNESS_LIMIT = LUMTUNE_LIMIT;
inline constexpr char BRIGHTNESS_PATH[] = "/sys/class/backlight/" LUMTUNE_DEVICE "/brightness";
static_assert(0 <= BRIGHTNESS_FLOOR && BRIGHTNESS_FLOOR < BRIGHTNESS_LIMIT);

inline constexpr char PROGRAM_NAME[] = "lumtune";

// "<commit count>.<first seven hex digits of the commit>", set by the build.
extern const char PROGRAM_VERSION[];

// Writes "ERROR: <operation> - <message>" to standard error and exits with status 1.
[[noreturn]] void fatal_error(const char *operation, const char *message);

// Reads a decimal integer the way atoi and "%d" do: leading white space, one
// optional sign, then digits up to the first non-digit; no digits gives 0.
// Values beyond the signed 32-bit range saturate to the nearest end.
int parse_number(const char *text);
