#include "ui/layer/platform/native_window.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>
#include <xcb/xcb.h>

namespace vorlo::ui::platform {

namespace {

using namespace std::chrono_literals;

// Openbox answers within a few milliseconds; a window manager that never answers for an unmapped
// window (fluxbox) must not hold the start-up longer than this.
constexpr auto frameExtentsTimeout = 200ms;
constexpr auto frameExtentsPoll = 1ms;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t* connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr; // none under the offscreen platform
}

enum Atom {
    netWmState,
    netWmStateSkipTaskbar,
    netSupported,
    netRequestFrameExtents,
    netFrameExtents,
    atomCount
};

std::array<xcb_atom_t, atomCount> internAtomsNow(xcb_connection_t* c) {
    static constexpr std::array<std::string_view, atomCount> names{
        "_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_SUPPORTED",
        "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"};
    std::array<xcb_intern_atom_cookie_t, atomCount> cookies{};
    for (int i = 0; i < atomCount; ++i) {
        cookies[i] =
            xcb_intern_atom(c, 0, static_cast<std::uint16_t>(names[i].size()), names[i].data());
    }
    std::array<xcb_atom_t, atomCount> atoms{};
    for (int i = 0; i < atomCount; ++i) {
        XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return atoms;
}

// The program talks to one display for its whole life, so the atoms are asked for once.
const std::array<xcb_atom_t, atomCount>& internAtoms(xcb_connection_t* c) {
    static const std::array<xcb_atom_t, atomCount> atoms = internAtomsNow(c);
    return atoms;
}

xcb_window_t rootOf(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

bool windowManagerAnswersFrameRequests(xcb_connection_t* c,
                                       const std::array<xcb_atom_t, atomCount>& atoms) {
    constexpr std::uint32_t maxAtoms = 1024;
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootOf(c), atoms[netSupported], XCB_ATOM_ATOM, 0, maxAtoms),
        nullptr));
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* supported = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(supported, supported + count, atoms[netRequestFrameExtents]) !=
           supported + count;
}

bool readFrameExtents(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                      FrameExtents& extents) {
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return false;
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    extents = {static_cast<int>(values[0]), static_cast<int>(values[1]),
               static_cast<int>(values[2]), static_cast<int>(values[3])};
    return true;
}

} // namespace

FrameExtents prepareFirstShow(QWidget& window) {
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return {};
    }
    // Creating the native window now lets the window manager see its final hints (a fixed size
    // gets a thinner frame) before it is asked how it will decorate it.
    const auto xWindow = static_cast<xcb_window_t>(window.winId());
    const auto& atoms = internAtoms(c);
    if (!windowManagerAnswersFrameRequests(c, atoms)) {
        return {}; // no window manager, so no frame
    }
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = xWindow;
    request.type = atoms[netRequestFrameExtents];
    xcb_send_event(c, 0, rootOf(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(c);

    FrameExtents extents;
    const auto deadline = std::chrono::steady_clock::now() + frameExtentsTimeout;
    while (!readFrameExtents(c, xWindow, atoms[netFrameExtents], extents)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return {};
        }
        std::this_thread::sleep_for(frameExtentsPoll);
    }
    return extents;
}

void skipTaskBar(QWidget& window) {
    xcb_connection_t* c = connection();
    if (c == nullptr) {
        return;
    }
    const auto& atoms = internAtoms(c);
    // Appended before the first map: the toolkit merges the states it sets itself when it maps.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window.winId()),
                        atoms[netWmState], XCB_ATOM_ATOM, 32, 1, &atoms[netWmStateSkipTaskbar]);
    xcb_flush(c);
}

} // namespace vorlo::ui::platform
