#include "startup/window_watch.h"

#include <poll.h>
#include <xcb/damage.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace quillet::bench {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> own(T* reply) {
    return Reply<T>(reply, &std::free);
}

bool overlaps(const xcb_rectangle_t& a, const xcb_rectangle_t& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

std::uint8_t responseType(const xcb_generic_event_t& event) {
    return event.response_type & 0x7f;  // the top bit marks SendEvent
}

}  // namespace

WindowWatch::WindowWatch(const std::string& display)
    : connection_(xcb_connect(display.c_str(), nullptr)) {
    if (xcb_connection_has_error(connection_.get())) {
        throw std::runtime_error("cannot connect to display " + display);
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_.get(), root_, XCB_CW_EVENT_MASK, &mask);
    startDamage();
    xcb_flush(connection_.get());
}

void WindowWatch::startDamage() {
    xcb_connection_t* c = connection_.get();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_damage_id);
    if (extension == nullptr || !extension->present) {
        throw std::runtime_error("the X server has no Damage extension");
    }
    damageEvent_ = extension->first_event + XCB_DAMAGE_NOTIFY;
    // The server refuses Damage requests until the version is agreed.
    own(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    xcb_damage_create(c, xcb_generate_id(c), root_, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
}

xcb_atom_t WindowWatch::atom(const char* name) {
    xcb_connection_t* c = connection_.get();
    auto reply = own(xcb_intern_atom_reply(
        c,
        xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::char_traits<char>::length(name)),
                        name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string WindowWatch::windowTitle(xcb_window_t window) {
    xcb_connection_t* c = connection_.get();
    auto reply = own(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
        nullptr));
    if (!reply) return {};
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

xcb_rectangle_t WindowWatch::windowArea(xcb_window_t window) {
    xcb_connection_t* c = connection_.get();
    auto reply = own(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    if (!reply) return {};
    return {reply->x, reply->y, reply->width, reply->height};  // a child of root: root coordinates
}

void WindowWatch::discardPending() {
    xcb_connection_t* c = connection_.get();
    own(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // a round trip
    while (auto event = own(xcb_poll_for_event(c))) {
    }
}

std::optional<ShownWindow> WindowWatch::waitShown(const std::string& title, ChildProcess& program,
                                                  std::chrono::milliseconds timeout) {
    xcb_connection_t* c = connection_.get();
    const Clock::time_point deadline = Clock::now() + timeout;
    std::optional<ShownWindow> shown;
    xcb_rectangle_t area{};
    pollfd watch{xcb_get_file_descriptor(c), POLLIN, 0};
    while (Clock::now() < deadline && program.running() && !xcb_connection_has_error(c)) {
        poll(&watch, 1, 5);  // wake now and then to notice the program's end
        while (auto event = own(xcb_poll_for_event(c))) {
            const Clock::time_point now = Clock::now();
            const std::uint8_t type = responseType(*event);
            if (!shown && type == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
                if (windowTitle(map->window) != title) continue;
                shown = ShownWindow{map->window, now, {}};
                area = windowArea(map->window);
            } else if (shown && type == damageEvent_) {
                const auto* damage =
                    reinterpret_cast<const xcb_damage_notify_event_t*>(event.get());
                if (!overlaps(damage->area, area)) continue;
                shown->painted = now;
                return shown;
            }
        }
    }
    return std::nullopt;
}

void WindowWatch::askToClose(xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_.get(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_.get());
}

}  // namespace quillet::bench
