// cursor_probe SECONDS: watches the pointer's cursor on the display for that
// long and prints one line each time its picture changes: milliseconds since
// the start, a hash of the picture, and the cursor's name when it has one.
// The first line is the cursor at the start. For the system tests, which
// cannot ask the program which cursor it shows.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(5);

std::uint64_t PictureHash(const XFixesCursorImage &image)
{
    std::uint64_t hash = 1469598103934665603ull;
    const auto mix = [&](std::uint64_t value) { hash = (hash ^ value) * 1099511628211ull; };
    mix(image.width);
    mix(image.height);
    mix(image.xhot);
    mix(image.yhot);
    for (int i = 0; i < image.width * image.height; ++i)
        mix(static_cast<std::uint32_t>(image.pixels[i]));
    return hash;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: cursor_probe SECONDS\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    int eventBase = 0;
    int errorBase = 0;
    if (!display || !XFixesQueryExtension(display, &eventBase, &errorBase)) {
        std::fprintf(stderr, "cursor_probe: no display with the XFIXES extension\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::milliseconds(static_cast<long>(std::atof(argv[1]) * 1000));
    std::uint64_t last = 0;
    bool first = true;
    while (std::chrono::steady_clock::now() < end) {
        if (XFixesCursorImage *image = XFixesGetCursorImage(display)) {
            const std::uint64_t hash = PictureHash(*image);
            if (first || hash != last) {
                const auto ms =
                    std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                        .count();
                std::printf("%lld %016llx %s\n", static_cast<long long>(ms), static_cast<unsigned long long>(hash),
                            image->name && *image->name ? image->name : "-");
                std::fflush(stdout);
                last = hash;
                first = false;
            }
            XFree(image);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    XCloseDisplay(display);
    return 0;
}
