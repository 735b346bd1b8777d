/* LD_PRELOAD helper for tools/startup_bench.sh: records the process's CPU time
 * (all threads, the dynamic loader's work included) when the program maps
 * its first window and when it sends the first picture of it to the X
 * server, appends both in milliseconds as one line to $FIRSTFRAME_OUT, and
 * ends the program. CPU time, unlike wall time, hardly depends on what else
 * the machine is doing.
 *   cc -shared -fPIC -O2 tools/firstframe.c -o firstframe.so -ldl
 *   FIRSTFRAME_OUT=out.txt LD_PRELOAD=./firstframe.so PROGRAM */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef struct {
    unsigned int sequence;
} cookie_t;

static double mapped_ms = -1;

static double cpu_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void first_frame(void) {
    if (mapped_ms < 0) return; /* a picture of a window not yet shown */
    const char* out = getenv("FIRSTFRAME_OUT");
    FILE* f = out ? fopen(out, "a") : NULL;
    if (f) {
        fprintf(f, "%.2f %.2f\n", mapped_ms, cpu_ms());
        fclose(f);
    }
    _exit(0);
}

#define FORWARD(name, params, args)                                          \
    cookie_t name params {                                                   \
        static cookie_t(*real) params;                                       \
        if (!real) real = (cookie_t(*) params)dlsym(RTLD_NEXT, #name);     \
        first_frame();                                                       \
        return real args;                                                    \
    }

cookie_t xcb_map_window(void* c, uint32_t window) {
    static cookie_t (*real)(void*, uint32_t);
    if (!real) real = (cookie_t(*)(void*, uint32_t))dlsym(RTLD_NEXT, "xcb_map_window");
    if (mapped_ms < 0) mapped_ms = cpu_ms();
    return real(c, window);
}

FORWARD(xcb_shm_put_image,
        (void* c, uint32_t d, uint32_t gc, uint16_t tw, uint16_t th, uint16_t sx, uint16_t sy, uint16_t sw,
         uint16_t sh, int16_t dx, int16_t dy, uint8_t depth, uint8_t format, uint8_t send, uint32_t seg,
         uint32_t offset),
        (c, d, gc, tw, th, sx, sy, sw, sh, dx, dy, depth, format, send, seg, offset))
FORWARD(xcb_put_image,
        (void* c, uint8_t format, uint32_t d, uint32_t gc, uint16_t w, uint16_t h, int16_t x, int16_t y,
         uint8_t pad, uint8_t depth, uint32_t len, const uint8_t* data),
        (c, format, d, gc, w, h, x, y, pad, depth, len, data))
FORWARD(xcb_copy_area,
        (void* c, uint32_t src, uint32_t dst, uint32_t gc, int16_t sx, int16_t sy, int16_t dx, int16_t dy,
         uint16_t w, uint16_t h),
        (c, src, dst, gc, sx, sy, dx, dy, w, h))
