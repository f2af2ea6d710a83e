#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace garagon {

// The controls of a window or a dialog as its rules draw and read them, each by its id in
// the layout; every view gives these once, for its window and its dialogs alike. Texts
// are UTF-8. The names differ from the toolkits' own, which a view's window also has.
class Controls {
  public:
    virtual ~Controls() = default;

    // A label's text, or a status line's.
    virtual void setText(int control, const std::string& text) = 0;
    virtual void enable(int control, bool enabled) = 0;
    virtual void setShown(int control, bool shown) = 0;
    // A list shows this many rows afresh, with the given one marked and in view.
    virtual void showRows(int list, std::size_t count, std::optional<std::size_t> marked) = 0;
    // The column keeps its data at width 0.
    virtual void hideColumn(int list, int column) = 0;
    // A selector's entries, in one go however many there are; then the one chosen.
    virtual void setEntries(int selector, const std::vector<std::string_view>& entries) = 0;
    virtual void chooseEntry(int selector, int entry) = 0;
    virtual void focus(int control) = 0;
    virtual bool isFocused(int control) const = 0;

    // The row the player marked, if any; the entry chosen (-1: none); a text field's text.
    virtual std::optional<std::size_t> markedRow(int list) const = 0;
    virtual int chosenEntry(int selector) const = 0;
    virtual std::string text(int textField) const = 0;
};

// A list's rows as the rules give them: each cell only when the view draws it.
class Rows {
  public:
    virtual std::string cellText(std::size_t row, int column) const = 0;

  protected:
    ~Rows() = default;
};

} // namespace garagon
