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
    const Katalog katalog = parseKatalog(text);

    check(!katalog.wagen.empty() && katalog.wagen[0].Name.empty() &&
          katalog.wagen[0].Kennung.empty());
    check(katalog.wagen.size() - 1 <= static_cast<std::size_t>(MaxWagen));
    check(katalog.ueberzaehlige == 0 ||
          katalog.wagen.size() - 1 == static_cast<std::size_t>(MaxWagen));
    for (std::size_t i = 1; i < katalog.wagen.size(); ++i) {
        const auto& name = katalog.wagen[i].Name;
        check(name.find("\r\n") == std::string::npos);
        check(name.empty() || (name.front() != ' ' && name.back() != ' '));
        check(katalog.wagen[i].Kennung.size() * 2 <= text.size());
    }
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    check(std::is_sorted(katalog.ungueltigeZeilen.begin(), katalog.ungueltigeZeilen.end()));
    for (int line : katalog.ungueltigeZeilen) {
        check(line >= 1 && line <= lines);
    }
    check(katalog.hatFehler() == (katalogfehlerText(katalog).find("\r\n") != std::string::npos));
    return 0;
}
