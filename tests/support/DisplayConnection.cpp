#include "support/DisplayConnection.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace {

struct CloseDisplay {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// Never used for requests: its only work is to exist until the program ends.
std::unique_ptr<Display, CloseDisplay> g_held;

}  // namespace

bool DisplayConnection::Hold(int timeoutMs) {
    if (g_held) {
        return true;
    }
    if (!std::getenv("DISPLAY")) {
        return false;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        g_held.reset(XOpenDisplay(nullptr));
        if (g_held || std::chrono::steady_clock::now() >= end) {
            return g_held != nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

bool DisplayConnection::ScreenSize(int& width, int& height) {
    if (!Hold()) {
        return false;
    }
    width = DisplayWidth(g_held.get(), DefaultScreen(g_held.get()));
    height = DisplayHeight(g_held.get(), DefaultScreen(g_held.get()));
    return true;
}
