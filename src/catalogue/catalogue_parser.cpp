#include "catalogue_parser.hpp"

#include "hex.hpp"

#include <algorithm>

namespace garagon {
namespace {

constexpr std::string_view separator = " = ";
constexpr std::string_view lineEnd = "\r\n";

// Only the space character counts; tabs stay part of the text.
std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Counts line numbers while the scan only moves forward.
class LineCounter {
  public:
    explicit LineCounter(std::string_view text) : text_(text) {}

    int lineAt(std::size_t position) {
        const auto end = text_.begin() + static_cast<std::ptrdiff_t>(position);
        line_ += static_cast<int>(
            std::count(text_.begin() + static_cast<std::ptrdiff_t>(counted_), end, '\n'));
        counted_ = position;
        return line_;
    }

  private:
    std::string_view text_;
    std::size_t counted_ = 0;
    int line_ = 1;
};

// The line number is counted only for an entry that is reported.
template <class LineOfEntry>
void addEntry(Catalogue& catalogue, std::string_view codeText, std::string_view name,
              LineOfEntry line) {
    auto code = modVelox::decodeHex(codeText);
    if (!code) {
        catalogue.invalidLines.push_back(line());
        return;
    }
    if (static_cast<int>(catalogue.cars.size()) > MaxCars) {
        if (catalogue.surplusEntries++ == 0) {
            catalogue.firstSurplusLine = line();
        }
        return;
    }
    catalogue.cars.push_back(WagenEintrag{std::string(name), std::move(*code)});
}

// The line of the first lone CR or LF, or 0 when every line ends in CR LF.
int firstForeignLineEnd(std::string_view text) {
    for (std::size_t i = text.find_first_of("\r\n"); i != std::string_view::npos;
         i = text.find_first_of("\r\n", i + lineEnd.size())) {
        if (text.substr(i, lineEnd.size()) != lineEnd) {
            return LineCounter(text).lineAt(i);
        }
    }
    return 0;
}

} // namespace

Catalogue parseCatalogue(std::string_view text) {
    Catalogue catalogue;
    // Room for every line at once: no entry is moved while the table grows.
    catalogue.cars.reserve(std::min<std::size_t>(
        static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 2, MaxCars + 1));
    LineCounter lines(text);
    std::size_t d = 0;
    auto c = text.find(separator);
    while (c != std::string_view::npos) {
        const std::size_t entry = c;
        const std::string_view codeText = trimSpaces(text.substr(d, c - d));
        d = c + separator.size();
        c = text.find(lineEnd, d);
        std::string_view name;
        if (c != std::string_view::npos) {
            name = trimSpaces(text.substr(d, c - d));
            d = c + lineEnd.size();
            c = text.find(separator, d);
        }
        addEntry(catalogue, codeText, name, [&] { return lines.lineAt(entry); });
    }
    catalogue.strayLineEnd = firstForeignLineEnd(text);
    return catalogue;
}

namespace {

constexpr std::size_t listedLines = 10;

std::string invalidLinesText(const std::vector<int>& lines) {
    std::string text;
    const auto listed = std::min(lines.size(), listedLines);
    for (std::size_t i = 0; i < listed; ++i) {
        text += "\r\nZeile " + std::to_string(lines[i]) +
                ": Die Kennung enthält Zeichen, die keine Hexadezimalziffern sind.";
    }
    if (lines.size() > listed) {
        text += "\r\n… und " + std::to_string(lines.size() - listed) +
                " weitere Zeilen mit ungültiger Kennung.";
    }
    return text;
}

} // namespace

std::string catalogueProblemsText(const Catalogue& catalogue) {
    std::string text = "Nicht alle Zeilen der Wagenliste konnten gelesen werden:";
    if (catalogue.strayLineEnd > 0) {
        text += "\r\nZeile " + std::to_string(catalogue.strayLineEnd) +
                ": Die Zeile endet nicht mit CR LF; die Wagenliste muss Windows-Zeilenenden haben.";
    }
    text += invalidLinesText(catalogue.invalidLines);
    if (catalogue.surplusEntries > 0) {
        text += "\r\nAb Zeile " + std::to_string(catalogue.firstSurplusLine) +
                ": Die Wagenliste darf höchstens " + std::to_string(MaxCars) +
                " Wagen enthalten; " + std::to_string(catalogue.surplusEntries) +
                " weitere Einträge wurden nicht übernommen.";
    }
    return text;
}

} // namespace garagon
