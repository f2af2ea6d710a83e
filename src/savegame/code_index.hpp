#pragma once

#include "bytes.hpp"
#include "catalogue_parser.hpp"

#include <cstdint>
#include <span>
#include <vector>

namespace garagon {

// The catalogue's 8-byte codes, for looking up the code of a record found in a savegame.
// Built once per catalogue, so that a search costs one pass over the savegame however
// many cars the catalogue has. Cars that share a code form one group.
class CodeIndex {
  public:
    static constexpr std::uint32_t none = UINT32_MAX;

    // A car whose code is not 8 bytes long; the search scans for it on its own.
    struct OddCode {
        std::size_t car;
        Bytes code;
    };

    explicit CodeIndex(std::span<const WagenEintrag> cars);

    // The group of the cars with this code, or none.
    std::uint32_t groupOf(std::uint64_t code) const;
    bool empty() const { return firstCar_.empty(); }
    std::size_t carCount() const { return nextCar_.size(); }

    // The cars of a group in catalogue order (0-based): the first, then each one's next.
    std::uint32_t firstCar(std::uint32_t group) const { return firstCar_[group]; }
    std::uint32_t nextCar(std::uint32_t car) const { return nextCar_[car]; }

    const std::vector<OddCode>& oddCodes() const { return oddCodes_; }

  private:
    std::size_t slotOf(std::uint64_t code) const;

    // Open addressing with linear probing: no allocation per car, so that even the
    // largest catalogue is indexed in well under a millisecond.
    std::vector<std::uint64_t> slotCodes_;
    std::vector<std::uint32_t> slotGroups_;
    std::vector<std::uint32_t> firstCar_;
    std::vector<std::uint32_t> nextCar_;
    std::vector<OddCode> oddCodes_;
};

// The 8 bytes at data as one number; the same bytes always give the same number.
std::uint64_t codeAt(const std::uint8_t* data);

} // namespace garagon
