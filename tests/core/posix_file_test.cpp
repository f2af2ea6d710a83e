// Where saving and loading meet what only POSIX systems have: permission bits, processes
// that share a folder, file size limits, append-only folders, sockets and symbolic links.
#include "loading.hpp"
#include "modVelox.hpp"
#include "saving_fixture.hpp"
#include "unprivileged.hpp"
#include "user_space_mount.hpp"

#include <algorithm>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace garagon;
using namespace garagon::test;

namespace {

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

} // namespace

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

TEST_F(Saving, AWriteBeyondTheFileSizeLimitFailsAndKeepsTheOldFile) {
    EXPECT_TRUE(failsBeyondFileSizeLimit(path, newBytes, {}));
    expectNothingLost();
    // Without hard links the copy of the old file is what fails.
    EXPECT_TRUE(failsBeyondFileSizeLimit(path, newBytes, {.link = refusedLink}));
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
    // Such a folder also refuses the clean-up: the extra names hold complete data, and the
    // next save keeps the version that could not take its place as a backup.
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
    std::set<std::string> left = listing(folder);
    left.erase("save1.dat");
    left.erase("save1.dat.~1");
    // The version, its record, and the empty file that showed that no rename works here.
    ASSERT_EQ(left.size(), 3u);
    EXPECT_TRUE(std::ranges::any_of(
        left, [&](const auto& name) { return readFile(folder.file(name)) == newBytes; }));
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    EXPECT_EQ(readFile(path + ".~2"), newBytes);
    EXPECT_EQ(readFile(path + ".~3"), oldBytes);
    EXPECT_EQ(listing(folder),
              (std::set<std::string>{"save1.dat", "save1.dat.~1", "save1.dat.~2", "save1.dat.~3"}));
}

TEST_F(Saving, AFailedFlushOfTheFolderUndoesTheSave) {
    // The folder's flush follows the fsyncs of the record and the new file, and of the copy.
    using Link = SystemError (*)(const Path&, const Path&);
    const std::pair<Link, int> cases[] = {{platform::hardLink, 3}, {refusedLink, 4}};
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

// Linux mounts an NTFS volume that Windows left hibernated (Fast Startup) read-only: the
// message says so, and what to do, where a plain read-only medium gets the plain reason.
TEST(ReadOnlyVolumes, AWindowsVolumeSaysWhyItIsReadOnlyAndWhatToDo) {
    UserSpaceMount windows(UserSpaceMount::Kind::NtfsReadOnly);
    if (!windows.missing().empty()) {
        GTEST_SKIP() << windows.missing();
    }
    const auto result = saveSavegame(windows.path() / "save1.dat", patternedSavegame(1));
    EXPECT_FALSE(result.saved);
    EXPECT_NE(result.text.find("Windows-Laufwerk, das Linux nur zum Lesen einbindet"),
              std::string::npos)
        << result.text;
    EXPECT_NE(result.text.find("Fahren Sie Windows vollständig herunter oder schalten Sie dort "
                               "den Schnellstart aus"),
              std::string::npos);
    EXPECT_FALSE(platform::onWindowsVolume("/proc"));
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

TEST(HostileSavegamePath, SocketsAreNotFound) {
    TestFolder folder;
    const auto path = folder.file("sock");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(loadSavegame(path).status, LoadStatus::NotFound);
    ::close(fd);
}

TEST(HostileSavegamePath, ASavegameBehindASymlinkIsSavedWhereTheLinkPoints) {
    TestFolder folder;
    std::filesystem::create_directory(folder.path() / "spiel");
    const auto real = folder.file("spiel/save.dat");
    const auto link = folder.file("verknuepfung.dat");
    writeFile(real, patternedSavegame(1));
    std::filesystem::create_symlink(real, link);
    const auto result = saveSavegame(link, patternedSavegame(2));
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(result.backup, real + ".~1");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(real), patternedSavegame(2));
    EXPECT_EQ(readFile(real + ".~1"), patternedSavegame(1));
}

TEST(SavegameLoading, PipesAndDanglingLinksAreNotFoundAndNeverBlock) {
    TestFolder folder;
    const auto fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(loadSavegame(fifo).status, LoadStatus::NotFound);

    const auto dangling = folder.file("link");
    std::filesystem::create_symlink(folder.file("nirgends"), dangling);
    EXPECT_EQ(loadSavegame(dangling).status, LoadStatus::NotFound);
}

TEST(SavegameLoading, ASymlinkToASavegameLoads) {
    TestFolder folder;
    writeFile(folder.file("echt.dat"), patternedSavegame(9));
    std::filesystem::create_symlink(folder.file("echt.dat"), folder.file("link.dat"));
    EXPECT_EQ(loadSavegame(folder.file("link.dat")).data, patternedSavegame(9));
}

TEST(CatalogueLoading, AnUnreadableCatalogueIsAReadErrorNotAMissingOne) {
    TestFolder folder;
    writeFile(folder.file("Cardata.txt"), "01 = A\r\n");
    ::chmod(folder.file("Cardata.txt").c_str(), 0);
    EXPECT_TRUE(holdsWithoutRoot(folder.path(), [&] {
        const auto report = modVelox::LadeWagenliste(folder.path());
        return report.status == modVelox::CatalogueStatus::ReadError &&
               report.error.code == EACCES && modVelox::WagenAnzahl == 0;
    }));
}
