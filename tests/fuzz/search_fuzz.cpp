// Search and replacement over arbitrary buffers and catalogues. Input: a 2-byte length,
// that many bytes of catalogue text, a category byte, a 2-byte choice, then the buffer.
#include "catalogue_parser.hpp"
#include "per_car_search.hpp"
#include "replacement.hpp"
#include "search.hpp"

#include <algorithm>
#include <cstdlib>
#include <string>

using namespace garagon;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct Input {
    std::string_view catalogueText;
    Category category = Category::Shop;
    std::size_t choice = 0;
    Bytes buffer;
};

Input split(const std::uint8_t* data, std::size_t size) {
    Input input;
    if (size < 5) {
        return input;
    }
    const std::size_t textLength = std::min<std::size_t>(data[0] | (data[1] << 8), size - 5);
    input.catalogueText = std::string_view(reinterpret_cast<const char*>(data + 2), textLength);
    const std::uint8_t* rest = data + 2 + textLength;
    const Category kinds[] = {Category::Shop, Category::Career, Category::Own};
    input.category = kinds[rest[0] % 3];
    input.choice = rest[1] | (rest[2] << 8);
    input.buffer.assign(rest + 3, data + size);
    return input;
}

// Every reported record of one car: where it says, with ascending positions at least 8 apart.
void checkRowsOfOneCar(const std::vector<ResultRow>& rows, const Bytes& buffer,
                       const WagenEintrag& car, Category category) {
    std::size_t previous = 0;
    for (const auto& row : rows) {
        const std::size_t position = std::stoul(row.position);
        check(row.name == car.Name && row.position.size() >= 5 && row.context.size() == 27);
        check(position >= 4 && position - 1 + car.Kennung.size() < buffer.size());
        check(previous == 0 || position >= previous + 8);
        const std::size_t start = position - 4;
        check(buffer[start] == 0 && buffer[start + 1] == 0 && buffer[start + 2] == 0);
        check(std::equal(car.Kennung.begin(), car.Kennung.end(),
                         buffer.begin() + static_cast<std::ptrdiff_t>(start + 3)));
        check(buffer[start + 3 + car.Kennung.size()] == static_cast<std::uint8_t>(category));
        previous = position;
    }
}

void checkReplacement(const Bytes& buffer, std::size_t position, const Bytes& code) {
    Bytes changed = buffer;
    const auto status = replaceCode(changed, position, code);
    check(changed.size() == buffer.size());
    if (status != ReplaceStatus::Replaced) {
        check(changed == buffer);
        return;
    }
    check(code.size() == CodeLength && position >= 1 && position + 7 <= buffer.size());
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        const bool inCode = i >= position - 1 && i < position + 7;
        check(changed[i] == (inCode ? code[i - (position - 1)] : buffer[i]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input input = split(data, size);
    const Catalogue catalogue = parseCatalogue(input.catalogueText);
    const std::span<const WagenEintrag> cars = std::span(catalogue.cars).subspan(1);
    const auto rows = listCarRecords(input.buffer, cars, input.category);
    // The one-pass search finds exactly what a scan per car finds.
    check(test::allMatches(findRecords(input.buffer, CodeIndex(cars), input.category)) ==
          test::perCarSearch(input.buffer, cars, input.category));

    std::size_t next = 0;
    for (const auto& car : cars) {
        const auto own = listCarRecords(input.buffer, std::span(&car, 1), input.category);
        checkRowsOfOneCar(own, input.buffer, car, input.category);
        for (const auto& row : own) { // the full list is the cars' lists in catalogue order
            check(next < rows.size() && rows[next].position == row.position &&
                  rows[next].name == row.name);
            check(rows[next].slot.size() >= 3 && std::stoul(rows[next].slot) == next + 1);
            ++next;
        }
    }
    check(next == rows.size());

    if (!cars.empty()) {
        const auto& code = cars[input.choice % cars.size()].Kennung;
        if (!rows.empty()) {
            checkReplacement(input.buffer, std::stoul(rows[input.choice % rows.size()].position),
                             code);
        }
        checkReplacement(input.buffer, input.choice, code);
    }
    return 0;
}
