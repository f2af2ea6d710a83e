#include "saving.hpp"
#include "test_folder.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <set>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace garagon;
using garagon::test::patternedSavegame;
using garagon::test::readFile;
using garagon::test::TestFolder;
using garagon::test::writeFile;

namespace {

std::set<std::string> listing(const TestFolder& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Fails the n-th call (1-based) of the replaced system call with EIO; 0 never fails.
int failingCall = 0;
int calls = 0;

bool failNow() {
    if (++calls == failingCall) {
        errno = EIO;
        return true;
    }
    return false;
}
int failingFsync(int fd) {
    return failNow() ? -1 : ::fsync(fd);
}
int failingRename(const char* from, const char* to) {
    return failNow() ? -1 : ::rename(from, to);
}
int unsupportedLink(const char*, const char*) {
    errno = EPERM;
    return -1;
}

// Append-only folders allow new names but no rename or removal, even for root.
bool setAppendOnly(const std::filesystem::path& folder, bool on) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_APPEND_FL) : (flags & ~FS_APPEND_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

// Runs a save in a child process whose files may grow to 1000 bytes at most; returns
// whether the save reported its failure as a file too large.
bool failsBeyondFileSizeLimit(const std::string& pfad, const Bytes& daten,
                              const SaveSystemCalls& sys) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = speichereSpielstand(pfad, daten, sys);
        const bool reported = !result.gespeichert && result.titel == "Fehler" &&
                              result.text.find("zu groß") != std::string::npos;
        ::_exit(reported ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Saving : public ::testing::Test {
  protected:
    void SetUp() override {
        calls = 0;
        failingCall = 0;
        writeFile(pfad, oldBytes);
    }

    // p holds the old bytes and nothing but p and the given files is in the folder.
    void expectNothingLost(std::set<std::string> others = {}) {
        EXPECT_EQ(readFile(pfad), oldBytes);
        others.insert("save1.dat");
        EXPECT_EQ(listing(folder), others);
    }

    TestFolder folder;
    const std::string pfad = folder.file("save1.dat");
    const Bytes oldBytes = patternedSavegame(1);
    const Bytes newBytes = patternedSavegame(2);
};

} // namespace

TEST_F(Saving, FirstSaveMovesTheOldFileToBackupOne) {
    const auto result = speichereSpielstand(pfad, newBytes);
    ASSERT_TRUE(result.gespeichert) << result.text;
    EXPECT_EQ(result.titel, "Gespeichert");
    EXPECT_EQ(result.sicherung, pfad + ".~1");
    EXPECT_EQ(result.text,
              "Datei gespeichert!\r\nDie vorherige Version wurde unter dem Namen:\r\n" + pfad +
                  ".~1\r\n gesichert.\r\nBitte vergessen sie nicht die Checksummen mit dem "
                  "Tarvo-Editor zu korrigieren!");
    EXPECT_EQ(readFile(pfad), newBytes);
    EXPECT_EQ(readFile(pfad + ".~1"), oldBytes);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
}

TEST_F(Saving, TheBackupIsTheOldFileItselfAndTheNewOneKeepsItsPermissions) {
    ::chmod(pfad.c_str(), 0640);
    struct stat before {};
    ::stat(pfad.c_str(), &before);
    ASSERT_TRUE(speichereSpielstand(pfad, newBytes).gespeichert);
    struct stat backup {
    }, now{};
    ::stat((pfad + ".~1").c_str(), &backup);
    ::stat(pfad.c_str(), &now);
    EXPECT_EQ(backup.st_ino, before.st_ino);
    EXPECT_EQ(backup.st_nlink, 1u);
    EXPECT_EQ(now.st_mode & 07777, 0640u);
}

TEST_F(Saving, BackupNumbersFillGapsAndSkipNamesTakenByAnything) {
    writeFile(pfad + ".~1", "eins");
    writeFile(pfad + ".~3", "drei");
    ASSERT_EQ(speichereSpielstand(pfad, newBytes).sicherung, pfad + ".~2");
    std::filesystem::create_directory(pfad + ".~4");
    writeFile(pfad + ".~4/inhalt", "bleibt");
    const auto result = speichereSpielstand(pfad, patternedSavegame(3));
    EXPECT_EQ(result.sicherung, pfad + ".~5");
    EXPECT_EQ(readFile(pfad + ".~5"), newBytes);
    EXPECT_EQ(readFile(pfad + ".~4/inhalt"), Bytes({'b', 'l', 'e', 'i', 'b', 't'}));
    EXPECT_EQ(readFile(pfad + ".~1").size(), 4u);
}

TEST_F(Saving, ASavegameDeletedBeforeSavingIsWrittenAnewWithoutBackup) {
    std::filesystem::remove(pfad);
    const auto result = speichereSpielstand(pfad, newBytes);
    ASSERT_TRUE(result.gespeichert);
    EXPECT_EQ(result.sicherung, "");
    EXPECT_EQ(result.text,
              "Datei gespeichert!\r\nBitte vergessen sie nicht die Checksummen mit dem "
              "Tarvo-Editor zu korrigieren!");
    EXPECT_EQ(listing(folder), std::set<std::string>{"save1.dat"});
    EXPECT_EQ(readFile(pfad), newBytes);
}

TEST_F(Saving, AStaleTemporaryFileFromAnInterruptedSaveIsReplaced) {
    writeFile(zwischendateiName(pfad), "halb geschrieben");
    ASSERT_TRUE(speichereSpielstand(pfad, newBytes).gespeichert);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
}

TEST_F(Saving, WithoutHardLinksTheBackupIsAFlushedCopyWithTheOldTimes) {
    const timespec past[] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, pfad.c_str(), past, 0);
    writeFile(pfad + ".~garagon-alt", "halb kopiert");
    const auto result = speichereSpielstand(pfad, newBytes, {.link = unsupportedLink});
    ASSERT_TRUE(result.gespeichert) << result.text;
    EXPECT_EQ(readFile(pfad), newBytes);
    EXPECT_EQ(readFile(pfad + ".~1"), oldBytes);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
    struct stat backup {
    }, now{};
    ::stat((pfad + ".~1").c_str(), &backup);
    ::stat(pfad.c_str(), &now);
    EXPECT_EQ(backup.st_mtim.tv_sec, 1000000000);
    EXPECT_GT(now.st_mtim.tv_sec, 1000000000);
}

TEST_F(Saving, ADirectoryAtThePathMakesTheRenameFailAndNothingIsLeft) {
    std::filesystem::remove(pfad);
    std::filesystem::create_directory(pfad);
    writeFile(pfad + "/inhalt", "x");
    const auto result = speichereSpielstand(pfad, newBytes);
    EXPECT_FALSE(result.gespeichert);
    EXPECT_EQ(result.titel, "Fehler");
    EXPECT_NE(result.text.find("durch einen Ordner"), std::string::npos) << result.text;
    EXPECT_EQ(listing(folder), std::set<std::string>{"save1.dat"});
    EXPECT_TRUE(std::filesystem::is_directory(pfad));
}

TEST_F(Saving, ADirectoryAtTheTemporaryNameFailsTheSaveWithoutTouchingIt) {
    std::filesystem::create_directory(zwischendateiName(pfad));
    const auto result = speichereSpielstand(pfad, newBytes);
    EXPECT_FALSE(result.gespeichert);
    EXPECT_NE(result.text.find("Die bisherige Datei ist unverändert erhalten."), std::string::npos);
    expectNothingLost({"save1.dat.~garagon-neu"});
}

TEST_F(Saving, AVanishedFolderIsReported) {
    std::filesystem::remove_all(folder.path());
    const auto result = speichereSpielstand(pfad, newBytes);
    EXPECT_FALSE(result.gespeichert);
    EXPECT_NE(result.text.find("Ordner des Spielstands ist nicht mehr vorhanden"),
              std::string::npos);
    std::filesystem::create_directory(folder.path());
}

TEST_F(Saving, AWriteBeyondTheFileSizeLimitFailsAndKeepsTheOldFile) {
    EXPECT_TRUE(failsBeyondFileSizeLimit(pfad, newBytes, {}));
    expectNothingLost();
    // Without hard links the copy of the old file is what fails.
    EXPECT_TRUE(failsBeyondFileSizeLimit(pfad, newBytes, {.link = unsupportedLink}));
    expectNothingLost();
}

TEST_F(Saving, AFolderThatForbidsRenamingKeepsTheOldFile) {
    if (!setAppendOnly(folder.path(), true)) {
        GTEST_SKIP() << "this file system has no append-only folders";
    }
    const auto result = speichereSpielstand(pfad, newBytes);
    setAppendOnly(folder.path(), false);
    EXPECT_FALSE(result.gespeichert);
    EXPECT_NE(result.text.find("an ihren Platz"), std::string::npos) << result.text;
    EXPECT_EQ(readFile(pfad), oldBytes);
    // Such a folder also refuses the clean-up: the extra names hold complete data.
    EXPECT_EQ(readFile(pfad + ".~1"), oldBytes);
    EXPECT_EQ(readFile(zwischendateiName(pfad)), newBytes);
    ASSERT_TRUE(speichereSpielstand(pfad, newBytes).gespeichert);
    EXPECT_EQ(listing(folder),
              (std::set<std::string>{"save1.dat", "save1.dat.~1", "save1.dat.~2"}));
}

TEST_F(Saving, AFailedFlushOfTheNewFileIsAFailedSave) {
    failingCall = 1;
    const auto result = speichereSpielstand(pfad, newBytes, {.fsync = failingFsync});
    EXPECT_FALSE(result.gespeichert);
    EXPECT_NE(result.text.find("Ein- oder Ausgabefehler"), std::string::npos);
    expectNothingLost();
}

TEST_F(Saving, AFailedFlushOfTheFolderUndoesTheSave) {
    // The folder's flush is the second fsync with hard links, the third when copying.
    using Link = int (*)(const char*, const char*);
    const std::pair<Link, int> cases[] = {{::link, 2}, {unsupportedLink, 3}};
    for (const auto& [link, folderFlush] : cases) {
        calls = 0;
        failingCall = folderFlush;
        const auto result =
            speichereSpielstand(pfad, newBytes, {.link = link, .fsync = failingFsync});
        EXPECT_FALSE(result.gespeichert);
        EXPECT_NE(result.text.find("Der Ordner konnte nicht"), std::string::npos) << result.text;
        EXPECT_NE(result.text.find("Die bisherige Datei ist unverändert erhalten."),
                  std::string::npos);
        expectNothingLost();
    }
}

TEST_F(Saving, AFailedRenameOverThePathUndoesTheBackup) {
    failingCall = 1;
    EXPECT_FALSE(speichereSpielstand(pfad, newBytes, {.rename = failingRename}).gespeichert);
    expectNothingLost();
    // Without hard links: the first rename makes the backup, the second one fails.
    calls = 0;
    failingCall = 2;
    EXPECT_FALSE(
        speichereSpielstand(pfad, newBytes, {.link = unsupportedLink, .rename = failingRename})
            .gespeichert);
    expectNothingLost();
}

TEST_F(Saving, SavingAgainAfterAFailureWorks) {
    failingCall = 1;
    ASSERT_FALSE(speichereSpielstand(pfad, newBytes, {.fsync = failingFsync}).gespeichert);
    const auto result = speichereSpielstand(pfad, newBytes);
    EXPECT_TRUE(result.gespeichert);
    EXPECT_EQ(result.sicherung, pfad + ".~1");
    EXPECT_EQ(readFile(pfad), newBytes);
}
