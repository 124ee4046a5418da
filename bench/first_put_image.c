/* Preloaded into a player that draws without GStreamer (LD_PRELOAD): prints, once per
 * process, the wall-clock time of its first image put on the X display,
 *     first-frame <nanoseconds since the epoch> cpu <processor time of the process, ns>
 * the line first_frame_tracer.c prints for GStreamer players. Every call goes on to the
 * real Xlib function. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int reported;

static void stamp(void)
{
    if (__atomic_exchange_n(&reported, 1, __ATOMIC_SEQ_CST))
        return;
    struct timespec now, cpu;
    clock_gettime(CLOCK_REALTIME, &now);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    char line[96];
    int n = snprintf(line, sizeof line, "first-frame %lld cpu %lld\n",
                     (long long)now.tv_sec * 1000000000LL + now.tv_nsec,
                     (long long)cpu.tv_sec * 1000000000LL + cpu.tv_nsec);
    if (n > 0 && write(2, line, (size_t)n) < 0)
        reported = 1;
}

Bool XShmPutImage(Display *d, Drawable w, GC gc, XImage *image, int sx, int sy, int dx, int dy,
                  unsigned int width, unsigned int height, Bool send_event)
{
    static Bool (*real)(Display *, Drawable, GC, XImage *, int, int, int, int, unsigned int,
                        unsigned int, Bool);
    if (!real)
        real = dlsym(RTLD_NEXT, "XShmPutImage");
    Bool ok = real(d, w, gc, image, sx, sy, dx, dy, width, height, send_event);
    stamp();
    return ok;
}

int XPutImage(Display *d, Drawable w, GC gc, XImage *image, int sx, int sy, int dx, int dy,
              unsigned int width, unsigned int height)
{
    static int (*real)(Display *, Drawable, GC, XImage *, int, int, int, int, unsigned int,
                       unsigned int);
    if (!real)
        real = dlsym(RTLD_NEXT, "XPutImage");
    int r = real(d, w, gc, image, sx, sy, dx, dy, width, height);
    stamp();
    return r;
}
