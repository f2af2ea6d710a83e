#include "list_dialog.hpp"

#include "texts.hpp"

namespace garagon {

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
