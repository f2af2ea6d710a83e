#include "saving.hpp"
#include "test_folder.hpp"
#include "unprivileged.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <set>
#include <signal.h>
#include <sys/file.h>
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

// Fails the n-th call (1-based) of the replaced system call with an I/O error; 0 never fails.
int failingCall = 0;
int calls = 0;

using platform::SystemError;
using Path = std::filesystem::path;

bool failNow() {
    return ++calls == failingCall;
}
const SystemError ioError{platform::Failure::IO, 5};

SystemError failingFsync(platform::FileHandle file) {
    return failNow() ? ioError : platform::flushFile(file);
}
SystemError failingRename(const Path& from, const Path& to) {
    return failNow() ? ioError : platform::replaceFile(from, to);
}
SystemError unsupportedLink(const Path&, const Path&) {
    return {platform::Failure::NoHardLinks, 1};
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
bool failsBeyondFileSizeLimit(const std::string& path, const Bytes& data,
                              const SaveSystemCalls& sys) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = saveSavegame(path, data, sys);
        const bool reported = !result.saved && result.title == "Fehler" &&
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
        writeFile(path, oldBytes);
    }

    // p holds the old bytes and nothing but p and the given files is in the folder.
    void expectNothingLost(std::set<std::string> others = {}) {
        EXPECT_EQ(readFile(path), oldBytes);
        others.insert("save1.dat");
        EXPECT_EQ(listing(folder), others);
    }

    TestFolder folder;
    const std::string path = folder.file("save1.dat");
    const Bytes oldBytes = patternedSavegame(1);
    const Bytes newBytes = patternedSavegame(2);
};

} // namespace

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

TEST_F(Saving, TheBackupIsTheOldFileItselfAndTheNewOneKeepsItsPermissions) {
    ::chmod(path.c_str(), 0640);
    struct stat before {};
    ::stat(path.c_str(), &before);
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    struct stat backup {
    }, now{};
    ::stat((path + ".~1").c_str(), &backup);
    ::stat(path.c_str(), &now);
    EXPECT_EQ(backup.st_ino, before.st_ino);
    EXPECT_EQ(backup.st_nlink, 1u);
    EXPECT_EQ(now.st_mode & 07777, 0640u);
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
    const timespec past[] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), past, 0);
    writeFile(folder.file(".~garagon-000000"), "halb kopiert");
    const auto result = saveSavegame(path, newBytes, {.link = unsupportedLink});
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(readFile(path), newBytes);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
    struct stat backup {
    }, now{};
    ::stat((path + ".~1").c_str(), &backup);
    ::stat(path.c_str(), &now);
    EXPECT_EQ(backup.st_mtim.tv_sec, 1000000000);
    EXPECT_GT(now.st_mtim.tv_sec, 1000000000);
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
    const int held = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const auto result = saveSavegame(path, newBytes, {.lockWait = std::chrono::milliseconds(50)});
    ::close(held);
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

TEST_F(Saving, AWriteBeyondTheFileSizeLimitFailsAndKeepsTheOldFile) {
    EXPECT_TRUE(failsBeyondFileSizeLimit(path, newBytes, {}));
    expectNothingLost();
    // Without hard links the copy of the old file is what fails.
    EXPECT_TRUE(failsBeyondFileSizeLimit(path, newBytes, {.link = unsupportedLink}));
    expectNothingLost();
}

TEST_F(Saving, AFolderThatForbidsRenamingKeepsTheOldFile) {
    if (!setAppendOnly(folder.path(), true)) {
        GTEST_SKIP() << "this file system has no append-only folders";
    }
    const auto result = saveSavegame(path, newBytes);
    setAppendOnly(folder.path(), false);
    EXPECT_FALSE(result.saved);
    EXPECT_NE(result.text.find("an ihren Platz"), std::string::npos) << result.text;
    EXPECT_EQ(readFile(path), oldBytes);
    // Such a folder also refuses the clean-up: the extra names hold complete data.
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
    std::set<std::string> left = listing(folder);
    left.erase("save1.dat");
    left.erase("save1.dat.~1");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(readFile(folder.file(*left.begin())), newBytes);
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    EXPECT_EQ(listing(folder),
              (std::set<std::string>{"save1.dat", "save1.dat.~1", "save1.dat.~2"}));
}

TEST_F(Saving, AFailedFlushOfTheNewFileIsAFailedSave) {
    failingCall = 1;
    const auto result = saveSavegame(path, newBytes, {.flush = failingFsync});
    EXPECT_FALSE(result.saved);
    EXPECT_NE(result.text.find("Ein- oder Ausgabefehler"), std::string::npos);
    expectNothingLost();
}

TEST_F(Saving, AFailedFlushOfTheFolderUndoesTheSave) {
    // The folder's flush is the second fsync with hard links, the third when copying.
    using Link = SystemError (*)(const Path&, const Path&);
    const std::pair<Link, int> cases[] = {{platform::hardLink, 2}, {unsupportedLink, 3}};
    for (const auto& [link, folderFlush] : cases) {
        calls = 0;
        failingCall = folderFlush;
        const auto result = saveSavegame(path, newBytes, {.link = link, .flush = failingFsync});
        EXPECT_FALSE(result.saved);
        EXPECT_NE(result.text.find("Der Ordner konnte nicht"), std::string::npos) << result.text;
        EXPECT_NE(result.text.find("Die bisherige Datei ist unverändert erhalten."),
                  std::string::npos);
        expectNothingLost();
    }
}

TEST_F(Saving, AFailedRenameOverThePathUndoesTheBackup) {
    failingCall = 1;
    EXPECT_FALSE(saveSavegame(path, newBytes, {.rename = failingRename}).saved);
    expectNothingLost();
    // Without hard links: the first rename makes the backup, the second one fails.
    calls = 0;
    failingCall = 2;
    EXPECT_FALSE(
        saveSavegame(path, newBytes, {.link = unsupportedLink, .rename = failingRename}).saved);
    expectNothingLost();
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

TEST_F(Saving, AFolderThatCanBeWrittenButNotListedStillSaves) {
    ::chmod(folder.path().c_str(), 0333);
    EXPECT_TRUE(garagon::test::holdsWithoutRoot(
        folder.path(), [&] { return saveSavegame(path, newBytes).saved; }));
    ::chmod(folder.path().c_str(), 0700);
    EXPECT_EQ(readFile(path), newBytes);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
}

// Two processes save one savegame in turn as fast as they can while this one reads it.
TEST_F(Saving, ConcurrentSavesAllSucceedAndNeverExposeAPartialSavegame) {
    constexpr int savers = 2, savesEach = 200;
    pid_t children[savers];
    for (int saver = 0; saver < savers; ++saver) {
        children[saver] = ::fork();
        if (children[saver] == 0) {
            bool allSaved = true;
            for (int i = 0; i < savesEach; ++i) {
                const auto seed = static_cast<std::uint8_t>(saver * 100 + i % 100 + 3);
                allSaved = saveSavegame(path, patternedSavegame(seed)).saved && allSaved;
            }
            ::_exit(allSaved ? 0 : 1);
        }
    }
    int reads = 0, running = savers, failedSavers = 0;
    while (running > 0) {
        const Bytes seen = readFile(path);
        ASSERT_EQ(seen.size(), 63596u) << "after " << reads << " reads";
        ASSERT_EQ(seen, patternedSavegame(seen[0])) << "a savegame mixed of two versions";
        ++reads;
        int status = 0;
        for (pid_t& child : children) {
            if (child > 0 && ::waitpid(child, &status, WNOHANG) == child) {
                child = 0;
                --running;
                failedSavers += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(failedSavers, 0);
    std::set<std::string> names = listing(folder);
    EXPECT_EQ(names.size(), 1u + savers * savesEach) << "one backup per save, nothing left over";
    for (int number = 1; number <= savers * savesEach; ++number) {
        const Bytes backup = readFile(path + ".~" + std::to_string(number));
        ASSERT_EQ(backup, patternedSavegame(backup.empty() ? 0 : backup[0])) << number;
    }
}
