/* Starts a program and tells how long it took until its first top-level window was mapped.
 *
 *   firstmap [-c CPU] PROGRAM [ARGUMENT...]
 *
 * Listens for MapNotify on the root window (a window manager maps its frame there right after the
 * client), starts the program, and at the first map of a window that holds a client with the
 * program's _NET_WM_PID prints one line: "PID MILLISECONDS WINDOW CPU" (WINDOW is the client
 * window in hex, CPU the milliseconds its threads had run on a CPU by then, from schedstat), or
 * "PID timeout 0 0" after 30 s. Both times are CLOCK_MONOTONIC, the start taken just before
 * fork(). Then it waits for the program and ends with its exit status; the program is killed if
 * this process dies first. With -c the program runs on that CPU only (firstmap itself on any). */

#define _GNU_SOURCE
#include <xcb/xcb.h>

#include <dirent.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Time on a CPU of all threads of pid, in ms. */
static double cpu_ms(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    double ns = 0;
    for (struct dirent* t; tasks && (t = readdir(tasks));) {
        char file[300];
        snprintf(file, sizeof file, "%s/%s/schedstat", path, t->d_name);
        FILE* f = t->d_name[0] != '.' ? fopen(file, "r") : NULL;
        unsigned long long run = 0;
        if (f && fscanf(f, "%llu", &run) == 1) {
            ns += run;
        }
        if (f) {
            fclose(f);
        }
    }
    if (tasks) {
        closedir(tasks);
    }
    return ns / 1e6;
}

static xcb_atom_t intern(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), NULL);
    xcb_atom_t atom = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return atom;
}

static pid_t pid_of(xcb_connection_t* c, xcb_window_t w, xcb_atom_t net_wm_pid) {
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, net_wm_pid, XCB_ATOM_CARDINAL, 0, 1), NULL);
    pid_t pid = 0;
    if (r && r->format == 32 && xcb_get_property_value_length(r) == 4) {
        pid = (pid_t)*(const uint32_t*)xcb_get_property_value(r);
    }
    free(r);
    return pid;
}

/* The window itself or, below a window manager's frame, one of its descendants. */
static xcb_window_t client_of(xcb_connection_t* c, xcb_window_t w, pid_t pid, xcb_atom_t net_wm_pid,
                              int depth) {
    if (pid_of(c, w, net_wm_pid) == pid) {
        return w;
    }
    xcb_window_t found = XCB_WINDOW_NONE;
    xcb_query_tree_reply_t* tree = depth > 0 ? xcb_query_tree_reply(c, xcb_query_tree(c, w), NULL) : NULL;
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
            found = client_of(c, children[i], pid, net_wm_pid, depth - 1);
        }
        free(tree);
    }
    return found;
}

int main(int argc, char* argv[]) {
    int on_cpu = -1;
    if (argc > 2 && strcmp(argv[1], "-c") == 0) {
        on_cpu = atoi(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc < 2) {
        fprintf(stderr, "usage: firstmap [-c CPU] PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "firstmap: cannot open the display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t net_wm_pid = intern(c, "_NET_WM_PID");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL)); /* the selection is in force */

    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (on_cpu >= 0) {
            cpu_set_t set;
            CPU_ZERO(&set);
            CPU_SET(on_cpu, &set);
            sched_setaffinity(0, sizeof set, &set);
        }
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    const double deadline = start + 30e3;
    double mapped = -1;
    double cpu = 0;
    xcb_window_t client = XCB_WINDOW_NONE;
    int status = 0;
    int ended = 0;
    struct pollfd fd = {.fd = xcb_get_file_descriptor(c), .events = POLLIN};
    while (client == XCB_WINDOW_NONE && now_ms() < deadline &&
           !(ended = waitpid(pid, &status, WNOHANG) == pid)) {
        xcb_generic_event_t* e = xcb_poll_for_event(c);
        if (!e) {
            poll(&fd, 1, 100);
            continue;
        }
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            mapped = now_ms();
            cpu = cpu_ms(pid);
            client = client_of(c, ((xcb_map_notify_event_t*)e)->window, pid, net_wm_pid, 3);
        }
        free(e);
    }
    xcb_disconnect(c);
    if (client != XCB_WINDOW_NONE) {
        printf("%d %.3f 0x%x %.3f\n", (int)pid, mapped - start, (unsigned)client, cpu);
    } else {
        printf("%d timeout 0 0\n", (int)pid);
    }
    fflush(stdout);

    if (!ended) {
        waitpid(pid, &status, 0);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
