#include "list_dialog.hpp"

#include "texts.hpp"

namespace garagon {

void ListDialog::opened(Controls& controls) {
    showRows(controls);
    controls.focus(layout().find(Role::TextField).value_or(*layout().find(ControlKind::List)));
}

void ListDialog::edited(Controls& controls) {
    search(controls.text(*layout().find(Role::TextField)));
    showRows(controls);
}

void ListDialog::showRows(Controls& controls) const {
    const auto marked = firstMarkedRow();
    controls.showRows(*layout().find(ControlKind::List), rowCount(), marked);
    if (const auto line = layout().find(Role::Status)) {
        const std::string text = status();
        controls.setText(*line, text);
        controls.setShown(*line, !text.empty());
    }
    controls.enable(*layout().find(Role::Accept), chooses(marked));
}

// The dialog opens on every car, as an empty text field finds.
CarSearchDialog::CarSearchDialog(CarFinder& finder) : finder_(finder) {
    finder_.search({});
}

std::string CarSearchDialog::title() const {
    return texts::CarSearchTitle;
}

std::optional<std::size_t> CarSearchDialog::firstMarkedRow() const {
    return finder_.rowCount() > 0 ? std::optional<std::size_t>(0) : std::nullopt;
}

} // namespace garagon
