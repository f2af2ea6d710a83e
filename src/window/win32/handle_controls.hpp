#pragma once

#include "controls.hpp"
#include "dialog_frame.hpp"
#include "window_layout.hpp"

#include <windows.h>

namespace garagon::win32 {

// The controls of a window or a dialog as the system's own, each at its id's control, and
// their fonts, which go with them.
class HandleControls : public virtual Controls {
  public:
    explicit HandleControls(const WindowLayout& layout) : layout_(layout) {}
    ~HandleControls() override { deleteFonts(fonts_); }

    void setText(int control, const std::string& text) override;
    void enable(int control, bool enabled) override;
    void setShown(int control, bool shown) override;
    void showRows(int list, std::size_t count, std::optional<std::size_t> marked) override;
    void hideColumn(int list, int column) override;
    void setEntries(int selector, const std::vector<std::string_view>& entries) override;
    void chooseEntry(int selector, int entry) override;
    void focus(int control) override;
    bool isFocused(int control) const override;
    std::optional<std::size_t> markedRow(int list) const override;
    int chosenEntry(int selector) const override;
    std::string text(int textField) const override;

    HWND handleOf(int control) const;
    // The controls made as declared and placed at the window's DPI.
    void makeAll(HWND window);
    // What every window of declared controls answers alike: a list asks for a cell's text,
    // or the window moves to a screen of another DPI. True where it was one of those.
    bool answerAlike(UINT message, WPARAM w, LPARAM l, const Rows& rows);

  protected:
    const WindowLayout& layout_;
    HWND window_ = nullptr;
    Fonts fonts_;
};

} // namespace garagon::win32
