// Finding the backups of a savegame, comparing one with it, and restoring one.
#include "backups.hpp"
#include "local_time.hpp"
#include "saving_fixture.hpp"
#include "window_data.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

using namespace garagon;
using namespace garagon::test;

namespace {

void setModified(const std::filesystem::path& path, int hoursAgo) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::hours(hoursAgo));
}

// Seconds since 1970 that std::filesystem's clock may not reach, set by the system's call.
void setModifiedSeconds(const std::filesystem::path& path, std::int64_t seconds) {
#ifdef _WIN32
    ULARGE_INTEGER ticks{};
    ticks.QuadPart = static_cast<ULONGLONG>(seconds + 11644473600) * 10'000'000;
    const FILETIME time{ticks.LowPart, ticks.HighPart};
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
#else
    const timespec times[] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
#endif
}

constexpr std::int64_t year3001 = 32'535'216'000;

} // namespace

// Only p.~N with N from 1 up and no leading zero counts, whatever else lies there; the
// most recently changed comes first, not the highest number.
TEST_F(Saving, BackupsAreFoundByTheirNameAndListedNewestFirst) {
    for (const char* name : {".~1", ".~2", ".~10", ".~02", ".~0", ".~x", ".~1.tmp", ".~"}) {
        writeFile(path + name, "alt");
    }
    writeFile(folder.file("other.dat.~1"), "fremd");
    std::filesystem::create_directory(path + ".~3");
    setModified(path + ".~10", 3);
    setModified(path + ".~2", 2);
    setModified(path + ".~1", 1);
    writeFile(path + ".~2", oldBytes); // changed last
    writeFile(path + ".~4", "alt");
    setModifiedSeconds(path + ".~4", year3001); // a time that cannot be told comes last
    std::vector<std::pair<unsigned long, std::uint64_t>> found;
    for (const Backup& backup : findBackups(path)) {
        found.emplace_back(backup.number, backup.size);
        EXPECT_EQ(backup.path, Path(path + ".~" + std::to_string(backup.number)));
        EXPECT_EQ(backup.modified.has_value(), backup.number != 4) << backup.number;
    }
    EXPECT_EQ(found, (std::vector<std::pair<unsigned long, std::uint64_t>>{
                         {2, 63596}, {1, 3}, {10, 3}, {4, 3}}));
    EXPECT_TRUE(findBackups(folder.file("fehlt/save1.dat")).empty());
}

// Times beyond the reach of the system clock's nanoseconds are no times, not overflows.
TEST(BackupTimes, OnlyMomentsTheClockCanHoldAreMoments) {
    const std::pair<std::int64_t, bool> cases[] = {
        {-11'644'473'600, false}, // a FILETIME of 0, in 1601
        {year3001, false},
        {0, true},
        {1'796'000'000, true}, // in 2026
    };
    for (const auto& [seconds, held] : cases) {
        const auto moment = platform::clockMoment(seconds, 500);
        ASSERT_EQ(moment.has_value(), held) << seconds;
        if (held) {
            EXPECT_EQ(std::chrono::system_clock::to_time_t(*moment), seconds);
        }
    }
}

TEST(BackupComparison, NamesEachChangedCarAndCountsTheOtherBytes) {
    const std::vector<WagenEintrag> cars{
        {"M\xF6we", codeMoewe}, {"Euro \x80", codeEuro}, {"Dritter", codeC}};
    const CodeIndex index(cars);
    const Bytes savegame = demoSavegame();
    Bytes swapped = savegame;
    placeRecord(swapped, 2000, codeC, 1);          // shop: Euro becomes Dritter
    placeRecord(swapped, 4000, Bytes(8, 0x99), 4); // own: Möwe becomes an unknown car
    for (const std::size_t checksum : {10, 11, 63590, 63595}) {
        swapped[checksum] ^= 0xFF;
    }
    using Kind = BackupComparison::Kind;
    EXPECT_EQ(compareWithBackup(savegame, savegame, index).kind, Kind::Same);
    EXPECT_EQ(compareWithBackup(savegame, Bytes(63595, 0), index).kind, Kind::NotASavegame);
    const auto comparison = compareWithBackup(swapped, savegame, index);
    ASSERT_EQ(comparison.kind, Kind::Different);
    ASSERT_EQ(comparison.cars.size(), 2u);
    EXPECT_EQ(comparison.cars[0].category, Category::Shop);
    EXPECT_EQ(comparison.cars[0].position, 2004u);
    EXPECT_EQ(comparison.cars[0].inSavegame, 2u);
    EXPECT_EQ(comparison.cars[0].inBackup, 1u);
    EXPECT_EQ(comparison.cars[1].category, Category::Own);
    EXPECT_EQ(comparison.cars[1].inSavegame, CarChange::none);
    EXPECT_EQ(comparison.cars[1].inBackup, 0u);
    EXPECT_EQ(comparison.otherBytes, 4u);
}

TEST_F(Saving, RestoringABackupKeepsTheReplacedVersionAndLeavesTheBackupAsItIs) {
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    const auto result = restoreBackup(path, path + ".~1");
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(result.title, "Wiederhergestellt");
    EXPECT_EQ(result.text, "Die Sicherung save1.dat.~1 wurde wiederhergestellt.\r\nDie ersetzte "
                           "Version wurde unter dem Namen:\r\n" +
                               path + ".~2\r\n gesichert.");
    EXPECT_EQ(readFile(path), oldBytes);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
    EXPECT_EQ(readFile(path + ".~2"), newBytes);
    // The restored savegame is a file of its own: saving it again leaves the backup be.
    ASSERT_TRUE(saveSavegame(path, patternedSavegame(3)).saved);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
}

TEST_F(Saving, ARestoreWithoutTheSavegameWritesItAnewWithoutABackup) {
    writeFile(path + ".~1", newBytes);
    std::filesystem::remove(path);
    const auto result = restoreBackup(path, path + ".~1");
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(result.text, "Die Sicherung save1.dat.~1 wurde wiederhergestellt.");
    EXPECT_EQ(readFile(path), newBytes);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
}

TEST_F(Saving, ARestoreThatCannotBeDoneChangesNothingAndSaysWhy) {
    writeFile(path + ".~1", Bytes(100, 1));
    writeFile(path + ".~2", newBytes);
    const struct {
        const char* backup;
        const char* says;
        SaveSystemCalls sys;
    } cases[] = {
        {".~1", "Die Sicherung kann nicht verwendet werden: Sie ist kein Tarvo-Spielstand.", {}},
        {".~3", "Die Sicherung kann nicht verwendet werden: Sie ist nicht mehr vorhanden.", {}},
        {".~2",
         "Die neue Datei konnte nicht an ihren Platz gebracht werden: Ein- oder "
         "Ausgabefehler des Datenträgers.",
         {.rename = failingRename}},
    };
    for (const auto& [backup, says, sys] : cases) {
        calls = 0;
        failingCall = 1;
        const auto result = restoreBackup(path, path + backup, sys);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.title, "Fehler");
        EXPECT_EQ(result.text, std::string("Die Sicherung save1.dat") + backup +
                                   " wurde nicht wiederhergestellt!\r\n" + says +
                                   "\r\nDie bisherige Datei ist unverändert erhalten.");
        expectNothingLost({"save1.dat.~1", "save1.dat.~2"});
        EXPECT_EQ(readFile(path + ".~2"), newBytes);
    }
}
