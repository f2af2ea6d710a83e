#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace garagon::bench {

// Watches the X display named by DISPLAY for windows being mapped. It stays connected,
// as the display server resets itself whenever its last client leaves.
class WindowMappingWatch {
  public:
    WindowMappingWatch();
    bool connected() const;

    // Starts the command (the program, then its arguments) on the display and returns how
    // long it took until its first window was mapped, or nothing. The program is ended
    // right after.
    std::optional<std::chrono::duration<double>>
    startToWindowMapped(const std::vector<std::string>& command);

  private:
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> display_;
};

} // namespace garagon::bench
