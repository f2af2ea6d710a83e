#pragma once

#include "controls.hpp"

#include <QWidget>
#include <vector>

namespace garagon {

// The controls of a window or a dialog as Qt's widgets, each at its id.
class WidgetControls : public virtual Controls {
  public:
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

  protected:
    QWidget* widget(int id) const { return widgets_[static_cast<std::size_t>(id)]; }

    std::vector<QWidget*> widgets_;
};

} // namespace garagon
