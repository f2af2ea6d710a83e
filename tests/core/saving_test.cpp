#include "saving_fixture.hpp"

#include "interrupted_saves.hpp"
#include "messages.hpp"

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
    ASSERT_EQ(saveSavegame(path, newBytes, {.nameState = nothingTaken}).backup, path + ".~2");
    const auto third = patternedSavegame(3);
    const auto result = saveSavegame(path, third, {.link = refusedLink, .nameState = nothingTaken});
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(result.backup, path + ".~3");
    EXPECT_EQ(readFile(path + ".~1"), Bytes({'e', 'i', 'n', 's'}));
    EXPECT_EQ(readFile(path + ".~2"), oldBytes);
    EXPECT_EQ(readFile(path + ".~3"), newBytes);
    EXPECT_EQ(readFile(path), third);
    EXPECT_EQ(listing(folder).size(), 4u);
}

// A look at a name that gets no answer, from a share that went away or at a name the
// volume cannot hold, takes no name: the step that would take it fails and gives the
// reason, at once.
TEST_F(Saving, ANameCheckWithoutAnAnswerEndsTheSaveWithTheStepsReason) {
    const auto result = saveSavegame(
        path, newBytes, {.link = failingStep, .renameToNew = failingStep, .nameState = unanswered});
    EXPECT_FALSE(result.saved);
    EXPECT_LE(calls, 2);
    EXPECT_EQ(result.text, "Der Spielstand wurde nicht gespeichert!\r\nDie bisherige Datei konnte "
                           "nicht gesichert werden: Ein- oder Ausgabefehler des Datenträgers.\r\n"
                           "Die bisherige Datei ist unverändert erhalten.");
    expectNothingLost();
    EXPECT_EQ(saveSavegame(path, newBytes, {.nameState = unanswered}).backup, path + ".~1");
}

// The savegame was gone at the check, and the game writes it anew before the new file
// takes the name: the game's file is kept as the backup, not replaced.
TEST_F(Saving, ASavegameThatAppearsDuringASaveWithoutOldFileGetsItsBackup) {
    std::filesystem::remove(path);
    appearsAt = path;
    const auto result = saveSavegame(path, newBytes, {.renameToNew = gameWritesFirst});
    appearsAt.clear();
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(result.backup, path + ".~1");
    EXPECT_EQ(readFile(path + ".~1"), patternedSavegame(7));
    EXPECT_EQ(readFile(path), newBytes);
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

// What interrupted saves left is dealt with by the next save into the folder, and nothing
// is removed unless its bytes are kept elsewhere: a version whose savegame's name is free
// completes its save, one beside its savegame becomes that savegame's next backup, even
// beside a backup whose savegame was deleted, and one that names no savegame is kept under
// a name that the player sees.
TEST_F(Saving, WhatInterruptedSavesLeftIsPlacedAndOnlyCopiesAndPartsAreRemoved) {
    const Bytes partial = {'h', 'a', 'l', 'b'};
    const struct {
        const char* leftover;
        Bytes content;
        bool recorded, savegameThere, recordAlone;
        const char* becomes; // empty: removed; "rescue": its rescue name
    } cases[] = {
        {"partial", partial, false, true, false, ""},
        {"partial version", partial, true, true, false, ""},
        {"copy of the savegame", oldBytes, false, true, false, ""},
        {"recorded copy", oldBytes, true, true, false, ""},
        {"record alone", patternedSavegame(5), true, true, true, ""},
        {"unknown version", patternedSavegame(5), false, true, false, "rescue"},
        {"version beside its savegame", patternedSavegame(6), true, true, false, "save1.dat.~1"},
        {"version of a freed name", patternedSavegame(7), true, false, false, "save1.dat.~1"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder.path());
        std::filesystem::create_directory(folder.path());
        writeFile(folder.file("verwaist.dat.~1"), patternedSavegame(9));
        writeFile(folder.file(".~garagon-notes.txt"), "gehört dem Spieler");
        if (c.savegameThere) {
            writeFile(path, oldBytes);
        }
        Path left;
        if (c.recorded) {
            ASSERT_FALSE(SaveFolder(folder.path())
                             .writeVersion(path, c.content, {}, platform::flushFile, left));
        } else {
            left = folder.path() / ".~garagon-x7k2q9";
            writeFile(left, c.content);
        }
        if (c.recordAlone) {
            std::filesystem::remove(left);
        }
        const auto result = saveSavegame(path, newBytes);
        ASSERT_TRUE(result.saved) << c.leftover << ": " << result.text;
        const std::string becomes =
            c.becomes == std::string("rescue") ? rescueName(left).filename().string() : c.becomes;
        if (!becomes.empty()) {
            EXPECT_EQ(readFile(folder.file(becomes)), c.content) << c.leftover;
        }
        for (const auto& name : listing(folder)) {
            EXPECT_FALSE(name.starts_with(".~garagon-") && name != ".~garagon-notes.txt")
                << c.leftover << ": " << name << " was left";
        }
        // The player's two files, the savegame, its backup where it was there, and the leftover.
        EXPECT_EQ(listing(folder).size(), 3u + c.savegameThere + !becomes.empty()) << c.leftover;
        EXPECT_EQ(readFile(folder.file("verwaist.dat.~1")), patternedSavegame(9));
        EXPECT_EQ(readFile(path), newBytes);
    }
}

// Where the rename over the savegame is refused, its name is freed first: each failure on
// that path names where each version lies, with the reason of the step that failed.
TEST_F(Saving, ASaveWhereTheRenameOverTheSavegameIsRefusedTellsTheTruth) {
    const std::string kept = "Die bisherige Datei ist unverändert erhalten.";
    const std::string movedAway = "Die bisherige Version liegt unter dem Namen:\r\n" + path + ".~1";
    const std::string beside =
        "Die neue Version liegt trotzdem unter dem Namen:\r\n" + path + "\r\n" + movedAway;
    const auto exists = platform::Failure::NameTaken;
    const auto denied = platform::Failure::NoPermission;
    const struct {
        const char* what;
        SaveSystemCalls sys;
        int failingFlush;
        bool saved;
        std::string says;
        Bytes savegame;
    } cases[] = {
        {"refused as existing",
         {.rename = refusingRename<exists>},
         0,
         true,
         "gespeichert!",
         newBytes},
        {"refused as denied",
         {.rename = refusingRename<denied>},
         0,
         true,
         "gespeichert!",
         newBytes},
        {"denied where no rename works",
         {.rename = refusingRename<denied>, .renameToNew = renameRefused},
         0,
         false,
         "gebracht werden: Keine Berechtigung.\r\n" + kept,
         oldBytes},
        {"the name held",
         {.rename = refusingRename<denied>, .remove = nameStays, .holder = tarvoHolds},
         0,
         false,
         "gebracht werden: Tarvo (tarvo.exe) hat den Spielstand noch geöffnet",
         oldBytes},
        {"the last flush failed",
         {.rename = refusingRename<exists>},
         4,
         false,
         "geschrieben werden: Ein- oder Ausgabefehler des Datenträgers.\r\n" + kept,
         oldBytes},
        {"the new name held after the last flush failed",
         {.rename = refusingRename<exists>, .remove = secondNameStays},
         4,
         false,
         beside,
         newBytes},
    };
    for (auto c : cases) {
#ifdef _WIN32
        if (c.failingFlush != 0) {
            continue; // Windows has no flush of a folder's entries to fail
        }
#endif
        std::filesystem::remove_all(folder.path());
        std::filesystem::create_directory(folder.path());
        writeFile(path, oldBytes);
        calls = 0;
        removals = 0;
        failingCall = c.failingFlush;
        c.sys.flush = failingFsync;
        const auto result = saveSavegame(path, newBytes, c.sys);
        EXPECT_EQ(result.saved, c.saved) << c.what;
        EXPECT_NE(result.text.find(c.says), std::string::npos) << c.what << ": " << result.text;
        EXPECT_EQ(readFile(path), c.savegame) << c.what;
        const bool backupStays = c.saved || result.text.find(movedAway) != std::string::npos;
        std::set<std::string> left{"save1.dat"};
        if (backupStays) {
            left.insert("save1.dat.~1");
        }
        EXPECT_EQ(listing(folder), left) << c.what;
    }
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

// The backup's name cannot be taken away again: a second name of the savegame is named
// as such, since every change of the savegame changes it too; a copy is a backup like any.
TEST_F(Saving, ABackupNameThatCannotBeRemovedAfterAFailedSaveIsNamed) {
    const std::string secondName =
        "Die bisherige Datei ist erhalten, trägt aber noch einen zweiten Namen, der sich nicht "
        "entfernen ließ:\r\n" +
        path + ".~1\r\nJede Änderung des Spielstands ändert auch diese Datei.";
    const struct {
        SystemError (*link)(const Path&, const Path&);
        std::string says;
    } cases[] = {{platform::hardLink, secondName}, {refusedLink, "unverändert erhalten"}};
    for (const auto& [link, says] : cases) {
        const auto result = saveSavegame(
            path, newBytes, {.link = link, .rename = failingStep, .remove = nameStays});
        EXPECT_FALSE(result.saved);
        EXPECT_NE(result.text.find(says), std::string::npos) << result.text;
        EXPECT_EQ(readFile(path), oldBytes);
        EXPECT_EQ(readFile(path + ".~1"), oldBytes);
        std::filesystem::remove(path + ".~1");
    }
}

// Where the system can tell which program holds the savegame, or else the new file that
// was to take its name, the message names it.
TEST_F(Saving, AHoldingProgramIsNamedWhereTheSystemKnowsIt) {
    const char* held = "Die neue Datei konnte nicht an ihren Platz gebracht werden: ";
    const struct {
        std::optional<std::string> (*holder)(const Path&);
        const char* says;
    } cases[] = {
        {tarvoHolds, "Tarvo (tarvo.exe) hat den Spielstand noch geöffnet. Beenden Sie es und "
                     "speichern Sie dann noch einmal."},
        {[](const Path&) -> std::optional<std::string> { return std::nullopt; },
         "Ein anderes Programm, wahrscheinlich das Spiel, hat den Spielstand noch geöffnet."},
        {[](const Path& file) -> std::optional<std::string> {
             if (file.filename().string().starts_with(".~garagon-") && exists(file)) {
                 return "Virenscanner (scan.exe)";
             }
             return std::nullopt;
         },
         "Virenscanner (scan.exe) hat den Spielstand noch geöffnet."},
    };
    for (const auto& [holder, says] : cases) {
        const auto result =
            saveSavegame(path, newBytes, {.rename = heldByTheGame, .holder = holder});
        EXPECT_FALSE(result.saved);
        EXPECT_NE(result.text.find(std::string(held) + says), std::string::npos) << result.text;
        expectNothingLost();
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

// The command that the player copies must grant exactly the portal's folder, whatever its
// name holds; where the portal cannot name it, the message says so instead.
TEST(PortalMessage, NamesTheFolderAsOneShellWordOrSaysThatThePortalCannot) {
    const auto told = messages::throughPortal("/home/d/Tarvo's $Spiele", true);
    EXPECT_NE(told.find("--filesystem='/home/d/Tarvo'\\''s $Spiele' "), std::string::npos) << told;
    const auto untold = messages::throughPortal("", true);
    EXPECT_NE(untold.find("sagt das Portal nicht"), std::string::npos) << untold;
    EXPECT_NE(untold.find("--filesystem=ORDNER "), std::string::npos) << untold;
    const auto outside = messages::throughPortal("/home/d/Spiele", false);
    EXPECT_NE(outside.find("in seinem eigenen Ordner:\r\n/home/d/Spiele"), std::string::npos);
    EXPECT_EQ(outside.find("flatpak"), std::string::npos) << outside;
}
