#pragma once

#include "catalogue_parser.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace garagon {

// What the dialog "Wagen suchen" shows: the catalogue's cars whose name holds every word
// of the query, in any order, regardless of case and diacritics ("mowe" finds "Möwe",
// "strasse" finds "Straßenfeger"), in catalogue order; an empty query finds every car.
// The names are folded once, on the first search.
class CarFinder {
  public:
    // The cars as cmbCars lists them.
    explicit CarFinder(std::span<const WagenEintrag> cars);

    void search(std::string_view query);

    std::size_t rowCount() const { return rows_.size(); }
    // The entry of cmbCars (0-based catalogue index) that a row shows.
    std::size_t car(std::size_t row) const { return rows_[row]; }
    // Column 0 the name, column 1 the code as 16 hexadecimal digits; UTF-8.
    std::string cellText(std::size_t row, int column) const;
    // "3 von 32.767 Wagen", or that none matches.
    std::string countText() const;

  private:
    void foldNames();

    std::span<const WagenEintrag> cars_;
    std::string folded_;              // every name folded, one after the other
    std::vector<std::uint32_t> ends_; // where each folded name ends in folded_
    std::vector<std::uint32_t> rows_;
};

// The text as the search compares it: lower case, without diacritics, ß as "ss", Æ as
// "ae", for every letter that Windows-1252 holds; other characters stay as they are.
std::string foldForSearch(std::string_view utf8);

} // namespace garagon
