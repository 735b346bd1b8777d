// winpicture WINDOW STILL_MS TIMEOUT_S [OLD...]
// Waits until the X window WINDOW (a number, as xdotool prints it) shows a
// picture that is none of OLD and has not changed for STILL_MS milliseconds,
// and prints its fingerprint, a hash of its pixels. Exits 1 when no such
// picture comes within TIMEOUT_S seconds. The end-to-end scripts wait with it
// for what the program shows next: one process looking every few
// milliseconds, where a screenshot program started for each look costs a
// quarter of a second of processor time and sees the window that much later.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// A window that goes away or off the screen while it is read is simply not
// seen this time.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// The fingerprint of what the window shows now; empty when it shows nothing
// that can be read (not mapped, gone, partly off the screen).
std::string Picture(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return {};
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) return {};
    // FNV-1a over the rows as they lie in memory, size included.
    uint64_t hash = 14695981039346656037ULL;
    auto mix = [&hash](uint64_t byte) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    };
    for (int v : {image->width, image->height, image->bytes_per_line})
        for (int shift = 0; shift < 32; shift += 8) mix(static_cast<uint64_t>(v >> shift) & 0xFF);
    const auto* bytes = reinterpret_cast<const unsigned char*>(image->data);
    const size_t size = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(image->height);
    for (size_t i = 0; i < size; ++i) mix(bytes[i]);
    XDestroyImage(image);
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s WINDOW STILL_MS TIMEOUT_S [OLD...]\n", argv[0]);
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const auto still = std::chrono::milliseconds(std::strtol(argv[2], nullptr, 10));
    const auto limit = std::chrono::seconds(std::strtol(argv[3], nullptr, 10));
    const std::vector<std::string> old(argv + 4, argv + argc);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "winpicture: no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);

    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + limit;
    std::string last;
    auto since = Clock::now();
    while (Clock::now() < end) {
        const std::string now = Picture(display, window);
        const auto at = Clock::now();
        bool seen = now.empty();
        for (const std::string& o : old) seen = seen || o == now;
        if (seen || now != last) {
            since = at;
        } else if (at - since >= still) {
            std::printf("%s\n", now.c_str());
            XCloseDisplay(display);
            return 0;
        }
        last = now;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    XCloseDisplay(display);
    return 1;
}
