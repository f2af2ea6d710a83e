#include "catalogue_parser.hpp"
#include "hex.hpp"
#include "modVelox.hpp"
#include "test_folder.hpp"
#include "windows1252.hpp"

#include <gtest/gtest.h>
#include <optional>
#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

using namespace garagon;
using garagon::test::TestFolder;
using garagon::test::writeFile;

namespace {

Bytes bytes(std::initializer_list<int> values) {
    Bytes result;
    for (int v : values) {
        result.push_back(static_cast<std::uint8_t>(v));
    }
    return result;
}

// The system's decoding of one Windows-1252 byte to UTF-8; nothing where it has none.
std::optional<std::string> codePage1252(const std::string& byte) {
#ifdef _WIN32
    wchar_t wide[2] = {};
    char out[8] = {};
    const int units = ::MultiByteToWideChar(1252, 0, byte.data(), 1, wide, 2);
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide, units, out, sizeof out, nullptr, nullptr);
    return std::string(out, static_cast<std::size_t>(length));
#else
    iconv_t reference = ::iconv_open("UTF-8", "CP1252");
    char in = byte[0];
    char out[8] = {};
    char* inPtr = &in;
    char* outPtr = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    const bool assigned = ::iconv(reference, &inPtr, &inLeft, &outPtr, &outLeft) == 0;
    ::iconv_close(reference);
    return assigned ? std::optional(std::string(out, outPtr)) : std::nullopt;
#endif
}

} // namespace

TEST(HexDecoding, PairsUpperCaseInPlaceAndUseTheDigitRule) {
    std::string pair = "ff";
    EXPECT_EQ(modVelox::HexZuByte(pair), 255);
    EXPECT_EQ(pair, "FF");
    std::string notHex = "GG"; // 'G' counts with its own code, 71
    EXPECT_EQ(modVelox::HexZuByte(notHex), 71 * 16 + 71);
}

TEST(HexDecoding, OddLengthGetsALeadingZeroInTheCallersText) {
    std::string text = "ABC";
    EXPECT_EQ(modVelox::HexZuText(text), bytes({0x0A, 0xBC}));
    EXPECT_EQ(text, "0ABC");
}

TEST(HexDecoding, EmptyTextGivesNoBytesAndNonHexGivesNothing) {
    std::string empty;
    EXPECT_EQ(modVelox::HexZuText(empty), Bytes{});
    for (std::string bad : {"0G", "12 4", "\t1", "+1", "0x12"}) {
        EXPECT_EQ(modVelox::HexZuText(bad), std::nullopt) << bad;
    }
}

TEST(CatalogueParsing, ReadsEntriesInFileOrderWithIndexZeroEmpty) {
    const auto k = parseCatalogue("0102030405060708 = Wagen A\r\nfedcba9876543210 = Wagen B\r\n");
    ASSERT_EQ(k.cars.size(), 3u);
    EXPECT_EQ(k.cars[0].Name, "");
    EXPECT_TRUE(k.cars[0].Kennung.empty());
    EXPECT_EQ(k.cars[1].Name, "Wagen A");
    EXPECT_EQ(k.cars[1].Kennung, bytes({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(k.cars[2].Kennung, bytes({0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10}));
    EXPECT_FALSE(k.hasProblems());
}

TEST(CatalogueParsing, TrimsOnlySpacesAndSplitsAtTheFirstSeparator) {
    const auto k = parseCatalogue("  0102  =  Wagen A  \r\n01 = a = b\r\n02 = \tTab\t\r\n");
    ASSERT_EQ(k.cars.size(), 4u);
    EXPECT_EQ(k.cars[1].Kennung, bytes({1, 2}));
    EXPECT_EQ(k.cars[1].Name, "Wagen A");
    EXPECT_EQ(k.cars[2].Name, "a = b");
    EXPECT_EQ(k.cars[3].Name, "\tTab\t");
}

TEST(CatalogueParsing, LastLineWithoutLineEndGivesAnEmptyName) {
    const auto k = parseCatalogue("01 = Erster\r\n02 = Zweiter");
    ASSERT_EQ(k.cars.size(), 3u);
    EXPECT_EQ(k.cars[1].Name, "Erster");
    EXPECT_EQ(k.cars[2].Name, "");
    EXPECT_EQ(k.cars[2].Kennung, bytes({2}));
}

TEST(CatalogueParsing, TextWithoutSeparatorIsIgnored) {
    EXPECT_EQ(parseCatalogue("").cars.size(), 1u);
    EXPECT_EQ(parseCatalogue("nur ein Kommentar\r\n").cars.size(), 1u);
    const auto k = parseCatalogue("01 = A\r\nKommentar ohne Trenner");
    EXPECT_EQ(k.cars.size(), 2u);
    EXPECT_FALSE(k.hasProblems());
}

TEST(CatalogueParsing, NamesStayBytes) {
    const auto k = parseCatalogue("01 = M\xF6we \x80\r\n");
    EXPECT_EQ(k.cars[1].Name, "M\xF6we \x80");
}

TEST(CatalogueProblems, NonHexCodesAreSkippedAndTheirLinesNamed) {
    // Line 2 holds a non-hex code; a blank line makes the next code text start with CR LF.
    const auto k = parseCatalogue("01 = A\r\nZZ = B\r\n\r\n03 = C\r\n04 = D\r\n");
    ASSERT_EQ(k.cars.size(), 3u);
    EXPECT_EQ(k.cars[1].Name, "A");
    EXPECT_EQ(k.cars[2].Name, "D");
    EXPECT_EQ(k.invalidLines, (std::vector<int>{2, 4}));
    const auto text = catalogueProblemsText(k);
    EXPECT_NE(text.find("Zeile 2:"), std::string::npos);
    EXPECT_NE(text.find("\r\nZeile 4:"), std::string::npos);
}

TEST(CatalogueProblems, EntriesBeyondTheCountLimitAreReportedNotOverflowed) {
    std::string text;
    for (int i = 0; i < MaxCars + 3; ++i) {
        text += "0102030405060708 = W\r\n";
    }
    const auto k = parseCatalogue(text);
    EXPECT_EQ(k.cars.size(), static_cast<std::size_t>(MaxCars) + 1);
    EXPECT_EQ(k.surplusEntries, 3);
    EXPECT_EQ(k.firstSurplusLine, MaxCars + 1);
    EXPECT_NE(catalogueProblemsText(k).find("Ab Zeile 32768"), std::string::npos);

    text.resize(text.size() - 3 * std::string("0102030405060708 = W\r\n").size());
    EXPECT_FALSE(parseCatalogue(text).hasProblems());
}

TEST(CatalogueProblems, LongListsOfBadLinesAreShortened) {
    std::string text;
    for (int i = 0; i < 25; ++i) {
        text += "XY = W\r\n";
    }
    const auto report = catalogueProblemsText(parseCatalogue(text));
    EXPECT_NE(report.find("Zeile 10:"), std::string::npos);
    EXPECT_EQ(report.find("Zeile 11:"), std::string::npos);
    EXPECT_NE(report.find("15 weitere Zeilen"), std::string::npos);
}

TEST(CatalogueLoading, FillsTheGlobalsFromTheFolder) {
    TestFolder folder;
    writeFile(folder.file("Cardata.txt"), "01 = A\r\n02 = B\r\n");
    const auto report = modVelox::LadeWagenliste(folder.path());
    EXPECT_EQ(report.status, modVelox::CatalogueStatus::Read);
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(modVelox::WagenAnzahl, 2);
    ASSERT_EQ(modVelox::Wagen.size(), 3u);
    EXPECT_EQ(modVelox::Wagen[2].Name, "B");
}

TEST(CatalogueLoading, MissingUnreadableOrEmptyCatalogue) {
    using modVelox::CatalogueStatus;
    TestFolder folder;
    EXPECT_EQ(modVelox::LadeWagenliste(folder.path()).status, CatalogueStatus::NotFound);
    EXPECT_EQ(modVelox::WagenAnzahl, 0);

    std::filesystem::create_directory(folder.path() / "Cardata.txt");
    EXPECT_EQ(modVelox::LadeWagenliste(folder.path()).status, CatalogueStatus::NotFound)
        << "a folder is no catalogue";
    std::filesystem::remove(folder.path() / "Cardata.txt");

    writeFile(folder.file("Cardata.txt"), "");
    const auto report = modVelox::LadeWagenliste(folder.path());
    EXPECT_EQ(report.status, CatalogueStatus::Read);
    EXPECT_EQ(modVelox::WagenAnzahl, 0);
    EXPECT_EQ(modVelox::Wagen.size(), 1u);
}

TEST(CatalogueLoading, ReportsSkippedLines) {
    TestFolder folder;
    writeFile(folder.file("Cardata.txt"), "01 = A\r\nQQ = B\r\n");
    const auto report = modVelox::LadeWagenliste(folder.path());
    EXPECT_EQ(modVelox::WagenAnzahl, 1);
    EXPECT_NE(report.problems.find("Zeile 2"), std::string::npos);
}

// Every byte against the system's own code page table: the C library's on Linux, whose
// five unassigned bytes become the control characters of the same value, and Windows' own.
TEST(CatalogueNames, Windows1252DecodingMatchesTheCodePageForAllBytes) {
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const std::string expected =
            codePage1252(byte).value_or(std::string{'\xC2', static_cast<char>(value)});
        EXPECT_EQ(windows1252ToUtf8(byte), expected) << "byte " << value;
    }
}
