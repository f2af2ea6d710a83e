// Writes a demo savegame for the demo catalogue: filler bytes without zeros, so that
// only the records placed on purpose are found, and records of all three categories.
#include "catalogue_parser.hpp"
#include "savegame.hpp"
#include "search.hpp"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

using namespace garagon;

namespace {

struct Placement {
    std::size_t car; // catalogue index
    Category category;
};

// Shop, career and own cars, one car twice among the own ones.
constexpr Placement placements[] = {
    {1, Category::Shop},   {2, Category::Shop},   {4, Category::Shop},   {6, Category::Shop},
    {9, Category::Shop},   {11, Category::Shop},  {14, Category::Shop},  {17, Category::Shop},
    {3, Category::Career}, {5, Category::Career}, {8, Category::Career}, {12, Category::Career},
    {2, Category::Own},    {7, Category::Own},    {7, Category::Own},    {20, Category::Own},
};

Bytes filler() {
    Bytes data(SavegameSize);
    std::uint32_t state = 0x6A09E667;
    for (auto& byte : data) {
        state = state * 1664525 + 1013904223;
        byte = static_cast<std::uint8_t>(1 + (state >> 24) % 255);
    }
    return data;
}

void place(Bytes& data, std::size_t offset, const Bytes& code, Category category) {
    data[offset] = data[offset + 1] = data[offset + 2] = 0;
    std::copy(code.begin(), code.end(), data.begin() + static_cast<std::ptrdiff_t>(offset + 3));
    data[offset + 3 + code.size()] = static_cast<std::uint8_t>(category);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " Cardata.txt output\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const Catalogue catalogue = parseCatalogue(text);
    Bytes data = filler();
    std::size_t offset = 0x0400;
    for (const auto& p : placements) {
        if (p.car >= catalogue.cars.size()) {
            std::cerr << "the catalogue has no car " << p.car << "\n";
            return 1;
        }
        place(data, offset, catalogue.cars[p.car].Kennung, p.category);
        offset += 0x0260;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    return out ? 0 : 1;
}
