/* mapwait: launches a program and reports how long its first window took to appear.
 *
 *   mapwait [--class NAME] [--keep] [--timeout SECONDS] -- COMMAND ARGS...
 *
 * Prints the milliseconds from just before the program is exec'd to the MapNotify of its
 * first top-level window; with --keep also its pid ("<ms> <pid>") and leaves it running,
 * otherwise stops it (its whole process group) and waits for it. A window is the program's
 * when its WM_CLASS instance or class is NAME (case-insensitive), or, without --class, when
 * its _NET_WM_PID is the started process. Exit status: 0 found, 1 program ended or timed
 * out first, 2 usage or X errors. The program's standard output goes to standard error.
 *
 * A window manager reparents client windows into frames, after which the root window no
 * longer sees their map events: so every new child of the root gets StructureNotify selected
 * on it at its CreateNotify, and its map state is read right after, for a window that was
 * mapped before the selection took effect.
 */
#define _POSIX_C_SOURCE 200809L

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static const char* want_class;
static pid_t child;
static Atom net_wm_pid;

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec * 1e3 + (double)ts.tv_nsec / 1e6;
}

/* Windows come and go while we look at them; a vanished one is simply not ours. */
static int ignore_x_errors(Display* dpy, XErrorEvent* ev) {
    (void)dpy;
    (void)ev;
    return 0;
}

static int window_pid(Display* dpy, Window w, long* pid) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = NULL;
    int ok = XGetWindowProperty(dpy, w, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &format, &n,
                                &after, &data) == Success &&
             type == XA_CARDINAL && format == 32 && n == 1;
    if (ok)
        *pid = *(long*)data; /* Xlib hands 32-bit items back as longs */
    if (data)
        XFree(data);
    return ok;
}

static int is_ours(Display* dpy, Window w) {
    if (want_class) {
        XClassHint hint = {NULL, NULL};
        int match = 0;
        if (XGetClassHint(dpy, w, &hint)) {
            match = (hint.res_name && strcasecmp(hint.res_name, want_class) == 0) ||
                    (hint.res_class && strcasecmp(hint.res_class, want_class) == 0);
            if (hint.res_name)
                XFree(hint.res_name);
            if (hint.res_class)
                XFree(hint.res_class);
        }
        return match;
    }
    long pid;
    return window_pid(dpy, w, &pid) && pid == (long)child;
}

static void stop_child(void) {
    kill(-child, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(child, NULL, WNOHANG) == child)
            return;
        struct timespec pause = {0, 20 * 1000 * 1000};
        nanosleep(&pause, NULL);
    }
    kill(-child, SIGKILL);
    waitpid(child, NULL, 0);
}

static int read_all(int fd, void* buf, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t got = read(fd, (char*)buf + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return 0;
        done += (size_t)got;
    }
    return 1;
}

static void usage(void) {
    fprintf(stderr,
            "usage: mapwait [--class NAME] [--keep] [--timeout SECONDS] -- COMMAND ARGS...\n");
    exit(2);
}

int main(int argc, char** argv) {
    int keep = 0;
    double timeout_s = 30;
    int i = 1;
    for (; i < argc; ++i) {
        if (strcmp(argv[i], "--") == 0) {
            ++i;
            break;
        } else if (strcmp(argv[i], "--class") == 0 && i + 1 < argc) {
            want_class = argv[++i];
        } else if (strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
            timeout_s = atof(argv[++i]);
        } else if (strcmp(argv[i], "--keep") == 0) {
            keep = 1;
        } else {
            usage();
        }
    }
    if (i >= argc)
        usage();
    char** command = argv + i;

    Display* dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "mapwait: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignore_x_errors);
    net_wm_pid = XInternAtom(dpy, "_NET_WM_PID", False);
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    /* The child sends the time just before its exec through a pipe that the exec closes; an
       exec that fails sends its errno after it. */
    int ready[2];
    if (pipe(ready) != 0 || fcntl(ready[1], F_SETFD, FD_CLOEXEC) != 0) {
        perror("mapwait: pipe");
        return 2;
    }
    child = fork();
    if (child < 0) {
        perror("mapwait: fork");
        return 2;
    }
    if (child == 0) {
        close(ready[0]);
        close(ConnectionNumber(dpy));
        setpgid(0, 0); /* so that stopping it takes its helpers along */
        dup2(2, 1);    /* our standard output is the result; the program's talk is not */
        double t = now_ms();
        if (write(ready[1], &t, sizeof t) != (ssize_t)sizeof t)
            _exit(127);
        execvp(command[0], command);
        int err = errno;
        if (write(ready[1], &err, sizeof err) < 0)
            _exit(127);
        _exit(127);
    }
    setpgid(child, child);
    close(ready[1]);

    double start = 0;
    int err = 0;
    if (!read_all(ready[0], &start, sizeof start)) {
        fprintf(stderr, "mapwait: could not start %s\n", command[0]);
        return 2;
    }
    if (read_all(ready[0], &err, sizeof err)) {
        fprintf(stderr, "mapwait: cannot run %s: %s\n", command[0], strerror(err));
        waitpid(child, NULL, 0);
        return 2;
    }
    close(ready[0]);

    double deadline = start + timeout_s * 1e3;
    for (;;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            Window w = 0;
            if (ev.type == CreateNotify && ev.xcreatewindow.parent == root) {
                Window created = ev.xcreatewindow.window;
                XSelectInput(dpy, created, StructureNotifyMask);
                XWindowAttributes attr;
                if (XGetWindowAttributes(dpy, created, &attr) && attr.map_state != IsUnmapped)
                    w = created;
            } else if (ev.type == MapNotify) {
                w = ev.xmap.window;
            }
            if (w && is_ours(dpy, w)) {
                double ms = now_ms() - start;
                if (keep) {
                    printf("%.1f %ld\n", ms, (long)child);
                } else {
                    printf("%.1f\n", ms);
                    stop_child();
                }
                fflush(stdout);
                XCloseDisplay(dpy);
                return 0;
            }
        }
        if (waitpid(child, NULL, WNOHANG) == child) {
            fprintf(stderr, "mapwait: %s ended before mapping a window\n", command[0]);
            return 1;
        }
        double left = deadline - now_ms();
        if (left <= 0) {
            fprintf(stderr, "mapwait: no window of %s after %.0f s\n", command[0], timeout_s);
            stop_child();
            return 1;
        }
        struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
        poll(&pfd, 1, left < 50 ? (int)left + 1 : 50);
    }
}
