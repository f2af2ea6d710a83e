#include "modVelox.hpp"

#include "file_test.hpp"

#include <fstream>
#include <iterator>
#include <optional>

namespace garagon::modVelox {

std::vector<WagenEintrag> Wagen{WagenEintrag{}};
std::int16_t WagenAnzahl = 0;

namespace {

std::optional<std::string> readWholeFile(const std::filesystem::path& pfad) {
    if (!dateiExistiert(pfad.string())) {
        return std::nullopt;
    }
    std::ifstream file(pfad, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

std::filesystem::path programmordner() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

Wagenlistenbericht LadeWagenliste() {
    return LadeWagenliste(programmordner());
}

Wagenlistenbericht LadeWagenliste(const std::filesystem::path& ordner) {
    Wagen.assign(1, WagenEintrag{});
    WagenAnzahl = 0;
    const auto content = readWholeFile(ordner / "Cardata.txt");
    if (!content) {
        return {};
    }
    Katalog katalog = parseKatalog(*content);
    Wagen = std::move(katalog.wagen);
    WagenAnzahl = static_cast<std::int16_t>(Wagen.size() - 1);
    return {true, katalog.hatFehler() ? katalogfehlerText(katalog) : std::string{}};
}

} // namespace garagon::modVelox
