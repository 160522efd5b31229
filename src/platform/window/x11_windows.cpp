// The other windows of an X desktop, through SDL's own connection to the X server.
#include "platform/window/x11_windows.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstddef>

namespace x11_windows {

namespace {

constexpr std::size_t kMostWindows = 256;

// A window may go between being listed and being asked about: its errors are not the game's.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// A property of 32-bit items (windows, atoms, cardinals), at most count of them; Xlib hands
// each as a long.
class LongProperty {
  public:
    LongProperty(Display* display, Window window, const char* name, Atom type, long count) {
        Atom actualType = 0;
        int format = 0;
        unsigned long after = 0;
        const Atom property = XInternAtom(display, name, True);
        if (property == 0 ||
            XGetWindowProperty(display, window, property, 0, count, False, type, &actualType,
                               &format, &items_, &after, &data_) != Success ||
            format != 32)
            items_ = 0;
    }
    ~LongProperty() {
        if (data_ != nullptr) XFree(data_);
    }
    LongProperty(const LongProperty&) = delete;
    LongProperty& operator=(const LongProperty&) = delete;
    std::size_t size() const { return items_; }
    long operator[](std::size_t i) const { return reinterpret_cast<const long*>(data_)[i]; }
    bool Holds(Display* display, const char* name) const {
        const Atom atom = XInternAtom(display, name, True);
        for (std::size_t i = 0; atom != 0 && i < items_; ++i)
            if (static_cast<Atom>((*this)[i]) == atom) return true;
        return false;
    }

  private:
    unsigned char* data_ = nullptr;
    unsigned long items_ = 0;
};

// Windows the user does not place things beside: the desktop's own, panels, and hidden ones.
bool LeftOut(Display* display, Window window) {
    const LongProperty type(display, window, "_NET_WM_WINDOW_TYPE", XA_ATOM, 16);
    if (type.Holds(display, "_NET_WM_WINDOW_TYPE_DESKTOP") ||
        type.Holds(display, "_NET_WM_WINDOW_TYPE_DOCK"))
        return true;
    const LongProperty state(display, window, "_NET_WM_STATE", XA_ATOM, 32);
    return state.Holds(display, "_NET_WM_STATE_HIDDEN");
}

// The window's box on the root, with the frame the window manager draws around it.
bool BoxOf(Display* display, Window root, Window window, window_place::Box& box,
           OtherWindows& seen) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable ||
        attributes.c_class == InputOnly)
        return false;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child)) return false;
    box = {x, y, attributes.width, attributes.height};
    const LongProperty frame(display, window, "_NET_FRAME_EXTENTS", XA_CARDINAL, 4);
    if (frame.size() == 4) {
        const long left = frame[0], right = frame[1], top = frame[2], bottom = frame[3];
        if (left >= 0 && right >= 0 && top >= 0 && bottom >= 0 && left + right < 4096 &&
            top + bottom < 4096) {
            box = {x - static_cast<int>(left), y - static_cast<int>(top),
                   box.width + static_cast<int>(left + right),
                   box.height + static_cast<int>(top + bottom)};
            if (left + right + top + bottom >
                seen.frameLeft + seen.frameRight + seen.frameTop + seen.frameBottom) {
                seen.frameLeft = static_cast<int>(left);
                seen.frameRight = static_cast<int>(right);
                seen.frameTop = static_cast<int>(top);
                seen.frameBottom = static_cast<int>(bottom);
            }
        }
    }
    return true;
}

}  // namespace

OtherWindows Find(SDL_Window* own) {
    OtherWindows seen;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (own == nullptr || !SDL_GetWindowWMInfo(own, &info) || info.subsystem != SDL_SYSWM_X11)
        return seen;
    Display* display = info.info.x11.display;
    const Window ownWindow = info.info.x11.window;
    const Window root = DefaultRootWindow(display);
    XSync(display, False);
    const auto previous = XSetErrorHandler(IgnoreErrors);

    std::vector<Window> windows;
    const LongProperty clients(display, root, "_NET_CLIENT_LIST", XA_WINDOW, kMostWindows);
    for (std::size_t i = 0; i < clients.size(); ++i)
        windows.push_back(static_cast<Window>(clients[i]));
    if (windows.empty()) {
        // No window manager lists them: the root's own children that a window manager would
        // have managed.
        Window rootReturn = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, root, &rootReturn, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count && windows.size() < kMostWindows; ++i) {
                XWindowAttributes attributes{};
                if (XGetWindowAttributes(display, children[i], &attributes) &&
                    !attributes.override_redirect)
                    windows.push_back(children[i]);
            }
            if (children != nullptr) XFree(children);
        }
    }
    for (const Window window : windows) {
        window_place::Box box{};
        if (window != ownWindow && !LeftOut(display, window) &&
            BoxOf(display, root, window, box, seen) && box.width > 0 && box.height > 0)
            seen.boxes.push_back(box);
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    return seen;
}

}  // namespace x11_windows
