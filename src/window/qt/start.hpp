#pragma once

#include "frmVelox.hpp"

#include <future>
#include <memory>

namespace garagon {

// Creates the window with the catalogue as it is read. Returns nothing when the catalogue
// is missing: its message has then been shown and the program must end.
std::unique_ptr<frmVelox> startWindow(Dialogs& dialogs, std::future<LoadedCatalogue> catalogue);

} // namespace garagon
