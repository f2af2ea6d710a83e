// The catalogue parser on arbitrary bytes: it must never crash, never overflow the car
// count and only take over entries that fit the file's rules.
#include "catalogue_parser.hpp"

#include <algorithm>
#include <cstdlib>
#include <string_view>

using namespace garagon;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Catalogue catalogue = parseCatalogue(text);

    check(!catalogue.cars.empty() && catalogue.cars[0].Name.empty() &&
          catalogue.cars[0].Kennung.empty());
    check(catalogue.cars.size() - 1 <= static_cast<std::size_t>(MaxCars));
    check(catalogue.surplusEntries == 0 ||
          catalogue.cars.size() - 1 == static_cast<std::size_t>(MaxCars));
    for (std::size_t i = 1; i < catalogue.cars.size(); ++i) {
        const auto& name = catalogue.cars[i].Name;
        check(name.find("\r\n") == std::string::npos);
        check(name.empty() || (name.front() != ' ' && name.back() != ' '));
        check(catalogue.cars[i].Kennung.size() * 2 <= text.size());
    }
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    check(std::is_sorted(catalogue.invalidLines.begin(), catalogue.invalidLines.end()));
    for (int line : catalogue.invalidLines) {
        check(line >= 1 && line <= lines);
    }
    check(catalogue.hasProblems() ==
          (catalogueProblemsText(catalogue).find("\r\n") != std::string::npos));
    return 0;
}
