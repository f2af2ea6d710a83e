#include "replacement.hpp"

#include <algorithm>

namespace garagon {

Ersetzstatus ersetzeKennung(Bytes& daten, std::size_t position, const Bytes& kennung) {
    if (kennung.size() != KennungLaenge) {
        return Ersetzstatus::FalscheLaenge;
    }
    if (position < 1 || position - 1 > daten.size() ||
        daten.size() - (position - 1) < KennungLaenge) {
        return Ersetzstatus::UngueltigePosition;
    }
    std::copy(kennung.begin(), kennung.end(),
              daten.begin() + static_cast<std::ptrdiff_t>(position - 1));
    return Ersetzstatus::Ersetzt;
}

} // namespace garagon
