#include "saving_fixture.hpp"

#include <optional>

using namespace garagon;
using namespace garagon::test;

TEST_F(Saving, FirstSaveMovesTheOldFileToBackupOne) {
    const auto result = saveSavegame(path, newBytes);
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(result.title, "Gespeichert");
    EXPECT_EQ(result.backup, path + ".~1");
    EXPECT_EQ(result.text,
              "Datei gespeichert!\r\nDie vorherige Version wurde unter dem Namen:\r\n" + path +
                  ".~1\r\n gesichert.\r\nBitte vergessen sie nicht die Checksummen mit dem "
                  "Tarvo-Editor zu korrigieren!");
    EXPECT_EQ(readFile(path), newBytes);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
}

TEST_F(Saving, BackupNumbersFillGapsAndSkipNamesTakenByAnything) {
    writeFile(path + ".~1", "eins");
    writeFile(path + ".~3", "drei");
    ASSERT_EQ(saveSavegame(path, newBytes).backup, path + ".~2");
    std::filesystem::create_directory(path + ".~4");
    writeFile(path + ".~4/inhalt", "bleibt");
    const auto result = saveSavegame(path, patternedSavegame(3));
    EXPECT_EQ(result.backup, path + ".~5");
    EXPECT_EQ(readFile(path + ".~5"), newBytes);
    EXPECT_EQ(readFile(path + ".~4/inhalt"), Bytes({'b', 'l', 'e', 'i', 'b', 't'}));
    EXPECT_EQ(readFile(path + ".~1").size(), 4u);
}

// The check for a free name may be wrong, as the C runtime's on Windows beyond 260
// characters: the step that takes the name refuses a taken one, by link and by copy.
TEST_F(Saving, NoSaveReplacesABackupEvenWhenTheNameCheckIsWrong) {
    writeFile(path + ".~1", "eins");
    ASSERT_EQ(saveSavegame(path, newBytes, {.nameTaken = nothingTaken}).backup, path + ".~2");
    const auto third = patternedSavegame(3);
    const auto result = saveSavegame(path, third, {.link = refusedLink, .nameTaken = nothingTaken});
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(result.backup, path + ".~3");
    EXPECT_EQ(readFile(path + ".~1"), Bytes({'e', 'i', 'n', 's'}));
    EXPECT_EQ(readFile(path + ".~2"), oldBytes);
    EXPECT_EQ(readFile(path + ".~3"), newBytes);
    EXPECT_EQ(readFile(path), third);
    EXPECT_EQ(listing(folder).size(), 4u);
}

TEST_F(Saving, ASavegameDeletedBeforeSavingIsWrittenAnewWithoutBackup) {
    std::filesystem::remove(path);
    const auto result = saveSavegame(path, newBytes);
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(result.backup, "");
    EXPECT_EQ(result.text,
              "Datei gespeichert!\r\nBitte vergessen sie nicht die Checksummen mit dem "
              "Tarvo-Editor zu korrigieren!");
    EXPECT_EQ(listing(folder), std::set<std::string>{"save1.dat"});
    EXPECT_EQ(readFile(path), newBytes);
}

TEST_F(Saving, StaleTemporaryFilesOfInterruptedSavesAreRemovedAndNothingElse) {
    writeFile(folder.file(".~garagon-x7k2q9"), "halb geschrieben");
    writeFile(folder.file(".~garagon-notes.txt"), "gehört dem Spieler");
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    EXPECT_EQ(listing(folder),
              (std::set<std::string>{".~garagon-notes.txt", "save1.dat", "save1.dat.~1"}));
}

TEST_F(Saving, WithoutHardLinksTheBackupIsAFlushedCopyWithTheOldTimes) {
    using Time = std::filesystem::file_time_type;
    const auto past =
        std::chrono::time_point_cast<Time::duration>(std::chrono::floor<std::chrono::seconds>(
            Time::clock::now() - std::chrono::hours(24 * 365)));
    std::filesystem::last_write_time(path, past);
    writeFile(folder.file(".~garagon-000000"), "halb kopiert");
    const auto result = saveSavegame(path, newBytes, {.link = refusedLink});
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(readFile(path), newBytes);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
    EXPECT_EQ(std::filesystem::last_write_time(path + ".~1"), past);
    EXPECT_GT(std::filesystem::last_write_time(path), past);
}

TEST_F(Saving, ADirectoryAtThePathMakesTheRenameFailAndNothingIsLeft) {
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    writeFile(path + "/inhalt", "x");
    const auto result = saveSavegame(path, newBytes);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.title, "Fehler");
    EXPECT_NE(result.text.find("durch einen Ordner"), std::string::npos) << result.text;
    EXPECT_EQ(listing(folder), std::set<std::string>{"save1.dat"});
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(Saving, ASaveThatCannotGetTheFolderLockChangesNothingAndSaysWhy) {
    std::optional<platform::FolderLock> held(std::in_place);
    ASSERT_FALSE(held->lock(folder.path(), std::chrono::milliseconds(0)));
    const auto result = saveSavegame(path, newBytes, {.lockWait = std::chrono::milliseconds(50)});
    held.reset();
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.text, "Der Spielstand wurde nicht gespeichert!\r\nDer Ordner des Spielstands "
                           "konnte nicht für das Speichern reserviert werden: Ein anderes Programm "
                           "speichert gerade in diesem Ordner.\r\nDie bisherige Datei ist "
                           "unverändert erhalten.");
    expectNothingLost();
}

TEST_F(Saving, AVanishedFolderIsReported) {
    std::filesystem::remove_all(folder.path());
    const auto result = saveSavegame(path, newBytes);
    EXPECT_FALSE(result.saved);
    EXPECT_NE(result.text.find("Ordner des Spielstands ist nicht mehr vorhanden"),
              std::string::npos);
    std::filesystem::create_directory(folder.path());
}

TEST_F(Saving, AFailedFlushOfTheNewFileIsAFailedSave) {
    failingCall = 1;
    const auto result = saveSavegame(path, newBytes, {.flush = failingFsync});
    EXPECT_FALSE(result.saved);
    EXPECT_NE(result.text.find("Ein- oder Ausgabefehler"), std::string::npos);
    expectNothingLost();
}

// The savegame keeps its attributes too, though the backup's name was the same file's.
TEST_F(Saving, AFailedRenameOverThePathUndoesTheBackup) {
    protectFromTheGame(path);
    const auto attributes = platform::existingFile(path)->permissions;
    for (const auto link : {platform::hardLink, refusedLink}) {
        calls = 0;
        failingCall = 1;
        EXPECT_FALSE(saveSavegame(path, newBytes, {.link = link, .rename = failingRename}).saved);
        expectNothingLost();
        EXPECT_EQ(platform::existingFile(path)->permissions, attributes);
    }
}

TEST_F(Saving, SavingAgainAfterAFailureWorks) {
    failingCall = 1;
    ASSERT_FALSE(saveSavegame(path, newBytes, {.flush = failingFsync}).saved);
    const auto result = saveSavegame(path, newBytes);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.backup, path + ".~1");
    EXPECT_EQ(readFile(path), newBytes);
}

TEST_F(Saving, EveryNameWhoseBackupNameFitsCanBeSaved) {
    // A name may have 255 bytes; the first backup adds ".~1".
    for (const auto& [length, fits] : {std::pair{252u, true}, std::pair{253u, false}}) {
        const std::string longPath = folder.file(std::string(length, 'n'));
        writeFile(longPath, oldBytes);
        const auto result = saveSavegame(longPath, newBytes);
        EXPECT_EQ(result.saved, fits) << length << ": " << result.text;
        EXPECT_EQ(readFile(longPath), fits ? newBytes : oldBytes);
        if (!fits) {
            EXPECT_NE(result.text.find("Der Name ist zu lang"), std::string::npos) << result.text;
        }
    }
}
