#include "support/FocusThief.h"

#include <X11/Xlib.h>
#include <unistd.h>

FocusThief::FocusThief() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return;
    }
    m_display = display;
    m_window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(display, m_window);
    XSync(display, False);
    // The window must be viewable before it can take the focus.
    usleep(200000);
    XSetInputFocus(display, m_window, RevertToParent, CurrentTime);
    XSync(display, False);
}

FocusThief::~FocusThief() {
    if (!m_display) {
        return;
    }
    auto* display = static_cast<Display*>(m_display);
    XDestroyWindow(display, m_window);
    XCloseDisplay(display);
}
