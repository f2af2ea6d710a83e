#include "window_mapping.hpp"

#include <csignal>
#include <cstdlib>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace garagon::bench {
namespace {

// This process draws offscreen; the started program must use the display.
std::vector<char*> environmentForTheDisplay() {
    std::vector<char*> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::string(*variable).rfind("QT_QPA_PLATFORM=", 0) != 0) {
            variables.push_back(*variable);
        }
    }
    variables.push_back(nullptr);
    return variables;
}

bool isMapping(const xcb_generic_event_t& event) {
    return (event.response_type & 0x7F) == XCB_MAP_NOTIFY;
}

// Mappings of windows started before, by an earlier program, must not end this wait: the
// server's answer to a request comes after every event before it.
void discardEarlierEvents(xcb_connection_t* display) {
    std::free(xcb_get_input_focus_reply(display, xcb_get_input_focus(display), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(display)) {
        std::free(event);
    }
}

} // namespace

WindowMappingWatch::WindowMappingWatch()
    : display_(std::getenv("DISPLAY") != nullptr ? xcb_connect(nullptr, nullptr) : nullptr,
               xcb_disconnect) {
    if (!connected()) {
        return;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(display_.get())).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(display_.get(), root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(display_.get());
}

bool WindowMappingWatch::connected() const {
    return display_ && xcb_connection_has_error(display_.get()) == 0;
}

std::optional<std::chrono::duration<double>>
WindowMappingWatch::startToWindowMapped(const std::vector<std::string>& command) {
    if (!connected() || command.empty()) {
        return std::nullopt;
    }
    auto environment = environmentForTheDisplay();
    std::vector<char*> arguments;
    for (const auto& word : command) {
        arguments.push_back(const_cast<char*>(word.c_str()));
    }
    arguments.push_back(nullptr);
    discardEarlierEvents(display_.get());
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, arguments[0], nullptr, nullptr, arguments.data(), environment.data()) !=
        0) {
        return std::nullopt;
    }
    std::optional<std::chrono::duration<double>> elapsed;
    while (!elapsed) {
        const std::unique_ptr<xcb_generic_event_t, void (*)(void*)> event(
            xcb_wait_for_event(display_.get()), std::free);
        if (!event) {
            break;
        }
        if (isMapping(*event)) {
            elapsed = std::chrono::steady_clock::now() - start;
        }
    }
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
    return elapsed;
}

} // namespace garagon::bench
