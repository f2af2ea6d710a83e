#include "start.hpp"

#include <utility>

namespace garagon {

std::unique_ptr<frmVelox> startWindow(Dialogs& dialogs, std::future<LoadedCatalogue> catalogue) {
    auto window = std::make_unique<frmVelox>(dialogs, std::move(catalogue));
    if (!window->catalogueFound()) {
        return nullptr;
    }
    return window;
}

} // namespace garagon
