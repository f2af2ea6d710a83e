#pragma once

#include "controls.hpp"
#include "window_layout.hpp"

#include <QWidget>
#include <vector>

namespace garagon {

// A window's or a dialog's controls as declared, children of the window in their order,
// not yet placed: each with its name, caption and font. Its list shows the rows; a label
// that marks an access key names the control after it.
std::vector<QWidget*> makeControls(const WindowLayout& layout, const Rows& rows, QWidget* window);

} // namespace garagon
