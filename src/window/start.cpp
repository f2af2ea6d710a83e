#include "start.hpp"

namespace garagon {

std::unique_ptr<frmVelox> starteFenster(Dialoge& dialoge,
                                        const std::filesystem::path& katalogordner) {
    auto fenster = std::make_unique<frmVelox>(dialoge, katalogordner);
    if (!fenster->katalogGefunden()) {
        return nullptr;
    }
    return fenster;
}

} // namespace garagon
