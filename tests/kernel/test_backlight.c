// SPDX-License-Identifier: GPL-2.0
/*
 * A backlight class device, named intel_backlight unless told otherwise, for
 * testing lumtune against the kernel's own brightness attribute. It drives no
 * hardware: it records how many times the kernel applied a level and which
 * level it applied last, and shows both as read-only module parameters:
 *
 *   /sys/module/test_backlight/parameters/applied_count
 *   /sys/module/test_backlight/parameters/applied_level
 *
 * insmod test_backlight.ko name=acpi_video0 max_brightness=937 brightness=900
 */
#include <linux/backlight.h>
#include <linux/module.h>

static char *name = "intel_backlight";
module_param(name, charp, 0444);
MODULE_PARM_DESC(name, "The device's name (default intel_backlight)");

static int max_brightness = 976;
module_param(max_brightness, int, 0444);
MODULE_PARM_DESC(max_brightness, "The device's maximum level (default 976)");

static int brightness = 488;
module_param(brightness, int, 0444);
MODULE_PARM_DESC(brightness, "The level at load time (default 488)");

static unsigned int applied_count;
module_param(applied_count, uint, 0444);
MODULE_PARM_DESC(applied_count, "How many times the kernel applied a level");

static int applied_level = -1;
module_param(applied_level, int, 0444);
MODULE_PARM_DESC(applied_level, "The level the kernel applied last (-1: none yet)");

static struct backlight_device *device;

static int test_backlight_update_status(struct backlight_device *bd) {
    applied_count++;
    applied_level = bd->props.brightness;
    return 0;
}

static const struct backlight_ops test_backlight_ops = {
    .update_status = test_backlight_update_status,
};

static int __init test_backlight_init(void) {
    struct backlight_properties props = {
        .type = BACKLIGHT_RAW,
        .max_brightness = max_brightness,
        .brightness = brightness,
    };

    if (max_brightness < 0 || brightness < 0 || brightness > max_brightness) return -EINVAL;
    device = backlight_device_register(name, NULL, NULL, &test_backlight_ops, &props);
    return PTR_ERR_OR_ZERO(device);
}

static void __exit test_backlight_exit(void) { backlight_device_unregister(device); }

module_init(test_backlight_init);
module_exit(test_backlight_exit);

MODULE_DESCRIPTION("Test backlight device for lumtune");
MODULE_LICENSE("GPL");
