/* Prints when the X server carried out each drawing into the given windows.
 *
 *   repaintlog WINDOW...
 *
 * Watches each window through the DAMAGE extension and prints one line per damage event:
 * "INDEX SERVER_MS RECEIVED_MS", INDEX the window's place among the arguments (from 0),
 * SERVER_MS the server's timestamp of the event (milliseconds of its monotonic clock, which
 * wraps at 2^32), RECEIVED_MS when this process read it (CLOCK_MONOTONIC, milliseconds). The
 * server stamps the event when it executes the drawing, so SERVER_MS does not depend on how soon
 * this process gets to run. Ends when the windows are gone, or on a signal. */

#define _GNU_SOURCE
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int main(int argc, char* argv[]) {
    if (argc < 2) {
        fprintf(stderr, "usage: repaintlog WINDOW...\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "repaintlog: cannot open the display\n");
        return 1;
    }
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (!ext || !ext->present) {
        fprintf(stderr, "repaintlog: the X server has no DAMAGE extension\n");
        return 1;
    }
    free(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), NULL));

    const int windows = argc - 1;
    xcb_damage_damage_t* damages = calloc(windows, sizeof *damages);
    for (int i = 0; i < windows; ++i) {
        const xcb_window_t window = (xcb_window_t)strtoul(argv[i + 1], NULL, 0);
        damages[i] = xcb_generate_id(c);
        /* One event for each drawing request, none merged away. */
        xcb_void_cookie_t made = xcb_damage_create_checked(
            c, damages[i], window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_generic_error_t* error = xcb_request_check(c, made);
        if (error) {
            fprintf(stderr, "repaintlog: cannot watch window %s\n", argv[i + 1]);
            return 1;
        }
        /* To learn when the window goes. */
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
    }
    xcb_flush(c);

    int alive = windows;
    for (xcb_generic_event_t* e; alive > 0 && (e = xcb_wait_for_event(c)); free(e)) {
        const int type = e->response_type & 0x7f;
        if (type == ext->first_event + XCB_DAMAGE_NOTIFY) {
            const xcb_damage_notify_event_t* d = (const xcb_damage_notify_event_t*)e;
            for (int i = 0; i < windows; ++i) {
                if (damages[i] == d->damage) {
                    printf("%d %u %.3f\n", i, (unsigned)d->timestamp, now_ms());
                    fflush(stdout);
                }
            }
        } else if (type == XCB_DESTROY_NOTIFY) {
            --alive;
        }
    }
    return 0;
}
