#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "startup/child_process.h"

namespace quillet::bench {

using Clock = std::chrono::steady_clock;

// When a program's top-level window became visible.
struct ShownWindow {
    xcb_window_t window = 0;
    Clock::time_point mapped;   // the server mapped it
    Clock::time_point painted;  // the first drawing inside it reached the screen
};

// Watches one X display for top-level windows being mapped (root's
// substructure events) and for drawing on the screen (a Damage object on
// the root window, which sees drawing to every window on it). Watching
// from outside needs nothing from the program under test.
class WindowWatch {
  public:
    explicit WindowWatch(const std::string& display);  // throws when it cannot connect

    // Drops the events of earlier runs: call before starting the next program.
    void discardPending();

    // Waits for a top-level window titled `title` to be mapped and then
    // painted. Empty when `program` ends first or `timeout` passes.
    std::optional<ShownWindow> waitShown(const std::string& title, ChildProcess& program,
                                         std::chrono::milliseconds timeout);

    // Asks the window to close as a window manager would (WM_DELETE_WINDOW).
    void askToClose(xcb_window_t window);

  private:
    struct Disconnect {
        void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
    };

    xcb_atom_t atom(const char* name);
    std::string windowTitle(xcb_window_t window);
    xcb_rectangle_t windowArea(xcb_window_t window);
    void startDamage();

    std::unique_ptr<xcb_connection_t, Disconnect> connection_;
    xcb_window_t root_ = 0;
    std::uint8_t damageEvent_ = 0;  // response type of DamageNotify
};

}  // namespace quillet::bench
