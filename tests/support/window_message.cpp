// window_message <window id> close|iconify|restore: what a window manager would do to the game's
// window, under an X server that runs none. close sends the close button's request
// (WM_DELETE_WINDOW); iconify and restore set the window's WM_STATE, as a window manager does when
// it minimises a window and brings it back.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool sendClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    return XSendEvent(display, window, False, NoEventMask, &event) != 0;
}

void setWindowState(Display* display, Window window, long state) {
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    const long value[2] = {state, None};
    XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value), 2);
}
}  // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (argc != 3 || !display) {
        std::fprintf(stderr, "usage: window_message <window id> close|iconify|restore\n");
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    bool done = true;
    if (std::strcmp(argv[2], "close") == 0) {
        done = sendClose(display, window);
    } else if (std::strcmp(argv[2], "iconify") == 0) {
        setWindowState(display, window, IconicState);
    } else if (std::strcmp(argv[2], "restore") == 0) {
        setWindowState(display, window, NormalState);
    } else {
        done = false;
    }
    XCloseDisplay(display);
    return done ? 0 : 1;
}
