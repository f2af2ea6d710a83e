#include "start.hpp"

namespace garagon {

std::unique_ptr<frmVelox> startWindow(Dialogs& dialogs,
                                      const std::filesystem::path& catalogueFolder) {
    auto window = std::make_unique<frmVelox>(dialogs, catalogueFolder);
    if (!window->catalogueFound()) {
        return nullptr;
    }
    return window;
}

} // namespace garagon
