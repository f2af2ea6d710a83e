#include "code_index.hpp"

#include "replacement.hpp"

#include <bit>
#include <cstring>

namespace garagon {

std::uint64_t codeAt(const std::uint8_t* data) {
    std::uint64_t code = 0;
    std::memcpy(&code, data, sizeof code);
    return code;
}

CodeIndex::CodeIndex(std::span<const WagenEintrag> cars)
    : slotCodes_(std::bit_ceil(2 * cars.size() + 1)), slotGroups_(slotCodes_.size(), none),
      nextCar_(cars.size(), none) {
    std::vector<std::uint32_t> lastCar;
    for (std::uint32_t car = 0; car < cars.size(); ++car) {
        const Bytes& code = cars[car].Kennung;
        if (code.size() != CodeLength) {
            oddCodes_.push_back({car, code});
            continue;
        }
        const std::size_t slot = slotOf(codeAt(code.data()));
        if (slotGroups_[slot] == none) {
            slotCodes_[slot] = codeAt(code.data());
            slotGroups_[slot] = static_cast<std::uint32_t>(firstCar_.size());
            firstCar_.push_back(car);
            lastCar.push_back(car);
            continue;
        }
        const std::uint32_t group = slotGroups_[slot];
        nextCar_[lastCar[group]] = car;
        lastCar[group] = car;
    }
}

// The top bits of the product depend on every bit of the code: codes that differ only in
// their last bytes, as numbered ones do, still spread over all slots.
std::size_t CodeIndex::slotOf(std::uint64_t code) const {
    const std::size_t mask = slotCodes_.size() - 1;
    const std::uint64_t top = (code * 0x9E3779B97F4A7C15ULL) >> 32; // in two steps: a table
    const int bits = std::countr_zero(slotCodes_.size());           // of one slot takes none
    std::size_t slot = static_cast<std::size_t>(top >> (32 - bits)) & mask;
    while (slotGroups_[slot] != none && slotCodes_[slot] != code) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

std::uint32_t CodeIndex::groupOf(std::uint64_t code) const {
    return slotGroups_[slotOf(code)];
}

} // namespace garagon
