/* Feeds pointer and keyboard input to a wlroots compositor through its
 * virtual pointer and virtual keyboard protocols, as a person would, for
 * the end-to-end tests on native Wayland.
 *
 * Usage: wlinput [ACTION...]
 *   size W H   takes the layout to be W x H pixels from here on
 *   move X Y   puts the pointer at (X, Y) of the layout
 *   click      presses and releases the left button
 *   key KEYS   presses KEYS, modifiers first, and releases them in reverse:
 *              ctrl+c, alt+BackSpace, shift+Insert, Escape, F6, a, ...
 *
 * Without actions it reads them from standard input, a line at a time, and
 * prints "done" after each line, until the input ends. One pointer and one
 * keyboard then serve a whole test: when the last pointer or keyboard of a
 * seat goes, the compositor takes that capability away from the seat, and
 * the program under test drops its own pointer or keyboard, so that a click
 * or a key right after a new device comes may be lost.
 */
#define _GNU_SOURCE
#include "virtual-keyboard-client-protocol.h"
#include "virtual-pointer-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

enum {
    kLeftButton = 0x110,
    kEvdevOffset = 8,
    kKeymapFormatXkbV1 = 1,
    kMaximumKeys = 8,
    kMaximumActionWords = 64
};
/* Time for the compositor and the client under test to take each event. */
static const useconds_t kPause = 20000;

struct input {
    struct wl_display* display;
    struct wl_seat* seat;
    struct zwlr_virtual_pointer_manager_v1* pointer_manager;
    struct zwp_virtual_keyboard_manager_v1* keyboard_manager;
    struct zwlr_virtual_pointer_v1* pointer;
    struct zwp_virtual_keyboard_v1* keyboard;
    struct xkb_keymap* keymap;
    struct xkb_state* state;
    unsigned width, height;
};

static void fail(const char* message, const char* detail) {
    fprintf(stderr, "wlinput: %s%s\n", message, detail);
    exit(2);
}

static uint32_t now(void) {
    struct timespec time;
    clock_gettime(CLOCK_MONOTONIC, &time);
    return (uint32_t)(time.tv_sec * 1000 + time.tv_nsec / 1000000);
}

static void settle(struct input* input) {
    wl_display_roundtrip(input->display);
    usleep(kPause);
}

static void on_global(void* data, struct wl_registry* registry, uint32_t name,
                      const char* interface, uint32_t version) {
    struct input* input = data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && input->seat == NULL) {
        input->seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    } else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        input->pointer_manager =
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    } else if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        input->keyboard_manager =
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
    }
}

static void on_global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {on_global, on_global_remove};

/* The compositor reads the keymap from a file that it maps. */
static void send_keymap(struct input* input) {
    struct xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    struct xkb_rule_names names = {.layout = "us"};
    input->keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (input->keymap == NULL) {
        fail("cannot compile a US keymap", "");
    }
    input->state = xkb_state_new(input->keymap);
    char* text = xkb_keymap_get_as_string(input->keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const size_t size = strlen(text) + 1;
    const int file = memfd_create("wlinput-keymap", MFD_CLOEXEC);
    if (file < 0 || write(file, text, size) != (ssize_t)size) {
        fail("cannot write the keymap", "");
    }
    zwp_virtual_keyboard_v1_keymap(input->keyboard, kKeymapFormatXkbV1, file, (uint32_t)size);
    close(file);
    free(text);
    xkb_context_unref(context);
}

static xkb_keycode_t keycode_of(struct input* input, const char* name) {
    static const struct {
        const char* alias;
        const char* keysym;
    } aliases[] = {{"ctrl", "Control_L"}, {"alt", "Alt_L"}, {"shift", "Shift_L"}};
    for (size_t index = 0; index < sizeof aliases / sizeof aliases[0]; ++index) {
        if (strcmp(name, aliases[index].alias) == 0) {
            name = aliases[index].keysym;
        }
    }
    const xkb_keysym_t wanted = xkb_keysym_from_name(name, XKB_KEYSYM_NO_FLAGS);
    if (wanted == XKB_KEY_NoSymbol) {
        fail("no such key: ", name);
    }
    for (xkb_keycode_t code = xkb_keymap_min_keycode(input->keymap);
         code <= xkb_keymap_max_keycode(input->keymap); ++code) {
        const xkb_keysym_t* symbols = NULL;
        if (xkb_keymap_key_get_syms_by_level(input->keymap, code, 0, 0, &symbols) > 0 &&
            symbols[0] == wanted) {
            return code;
        }
    }
    fail("no key on the keymap gives ", name);
    return 0;
}

static void send_key(struct input* input, xkb_keycode_t code, int pressed) {
    zwp_virtual_keyboard_v1_key(input->keyboard, now(), code - kEvdevOffset, pressed);
    xkb_state_update_key(input->state, code, pressed ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(
        input->keyboard, xkb_state_serialize_mods(input->state, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(input->state, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(input->state, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(input->state, XKB_STATE_LAYOUT_EFFECTIVE));
    settle(input);
}

static void press_keys(struct input* input, const char* keys) {
    xkb_keycode_t codes[kMaximumKeys];
    size_t count = 0;
    char* copy = strdup(keys);
    for (char* name = strtok(copy, "+"); name != NULL; name = strtok(NULL, "+")) {
        if (count == kMaximumKeys) {
            fail("too many keys at once: ", keys);
        }
        codes[count++] = keycode_of(input, name);
    }
    free(copy);
    for (size_t index = 0; index < count; ++index) {
        send_key(input, codes[index], 1);
    }
    while (count > 0) {
        send_key(input, codes[--count], 0);
    }
}

static void move_pointer(struct input* input, unsigned x, unsigned y) {
    zwlr_virtual_pointer_v1_motion_absolute(input->pointer, now(), x, y, input->width,
                                            input->height);
    zwlr_virtual_pointer_v1_frame(input->pointer);
    settle(input);
}

static void click(struct input* input) {
    for (int pressed = 1; pressed >= 0; --pressed) {
        zwlr_virtual_pointer_v1_button(input->pointer, now(), kLeftButton, (uint32_t)pressed);
        zwlr_virtual_pointer_v1_frame(input->pointer);
        settle(input);
    }
}

/* Performs the actions in words, such as {"size", "640", "480", "move",
 * "10", "20", "click"}. */
static void perform(struct input* input, int count, char** words) {
    for (int index = 0; index < count; ++index) {
        if (strcmp(words[index], "move") == 0 && index + 2 < count) {
            if (input->width == 0 || input->height == 0) {
                fail("move before size", "");
            }
            move_pointer(input, (unsigned)atoi(words[index + 1]), (unsigned)atoi(words[index + 2]));
            index += 2;
        } else if (strcmp(words[index], "size") == 0 && index + 2 < count) {
            input->width = (unsigned)atoi(words[index + 1]);
            input->height = (unsigned)atoi(words[index + 2]);
            index += 2;
        } else if (strcmp(words[index], "click") == 0) {
            click(input);
        } else if (strcmp(words[index], "key") == 0 && index + 1 < count) {
            press_keys(input, words[++index]);
        } else {
            fail("unknown action: ", words[index]);
        }
    }
}

static void perform_lines(struct input* input) {
    char* line = NULL;
    size_t capacity = 0;
    while (getline(&line, &capacity, stdin) >= 0) {
        char* words[kMaximumActionWords];
        int count = 0;
        char* rest = NULL;
        for (char* word = strtok_r(line, " \t\n", &rest); word != NULL;
             word = strtok_r(NULL, " \t\n", &rest)) {
            if (count == kMaximumActionWords) {
                fail("too many words in a line", "");
            }
            words[count++] = word;
        }
        perform(input, count, words);
        puts("done");
        fflush(stdout);
    }
    free(line);
}

int main(int argc, char** argv) {
    if (argc > 1 && strcmp(argv[1], "--help") == 0) {
        fail("usage: wlinput [size W H | move X Y | click | key KEYS]...", "");
    }
    struct input input = {0};
    input.display = wl_display_connect(NULL);
    if (input.display == NULL) {
        fail("cannot connect to the Wayland display", "");
    }
    wl_registry_add_listener(wl_display_get_registry(input.display), &registry_listener, &input);
    wl_display_roundtrip(input.display);
    if (input.seat == NULL || input.pointer_manager == NULL || input.keyboard_manager == NULL) {
        fail("the compositor offers no virtual pointer and keyboard", "");
    }
    input.pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(input.pointer_manager, input.seat);
    input.keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(input.keyboard_manager, input.seat);
    send_keymap(&input);
    settle(&input);
    if (argc > 1) {
        perform(&input, argc - 1, argv + 1);
    } else {
        perform_lines(&input);
    }
    wl_display_roundtrip(input.display);
    wl_display_disconnect(input.display);
    return 0;
}
