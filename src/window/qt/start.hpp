#pragma once

#include "frmVelox.hpp"

#include <filesystem>
#include <memory>

namespace garagon {

// Creates the window with the catalogue from the given folder. Returns nothing when the
// catalogue is missing: its message has then been shown and the program must end.
std::unique_ptr<frmVelox> startWindow(Dialogs& dialogs,
                                      const std::filesystem::path& catalogueFolder);

} // namespace garagon
