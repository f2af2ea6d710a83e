#pragma once

#include "save_folder.hpp"
#include "save_system_calls.hpp"

namespace garagon {

// Deals with what interrupted saves left in the folder, while its lock is held: no running
// save owns those files then. A whole version under a temporary name takes its savegame's
// name where that is free, completing its save; else it becomes that savegame's next
// backup, unless the savegame or a backup of it holds the same bytes already. A version
// that cannot be placed so is kept under a name that the player sees. Only files that
// are no whole version are removed, unread or not: their bytes are elsewhere.
void recoverInterruptedSaves(const SaveFolder& folder, const SaveSystemCalls& sys);

} // namespace garagon
