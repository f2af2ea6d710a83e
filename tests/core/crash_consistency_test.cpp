// Saves in a child process and kills it at every step and at random moments; after each
// kill the folder must still hold a complete savegame and only complete backups.
#include "saving_fixture.hpp"
#include "user_space_mount.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

using namespace garagon;
using garagon::test::patternedSavegame;
using garagon::test::readFile;
using garagon::test::TestFolder;
using garagon::test::UserSpaceMount;
using garagon::test::writeFile;

namespace {

// The child kills itself at the n-th moment: just before or just after a replaced call.
int killAt = 0;
int moment = 0;

void maybeDie() {
    if (++moment == killAt) {
        ::raise(SIGKILL);
    }
}

using platform::SystemError;
using std::filesystem::path;

template <class... Args> SystemError around(SystemError (*call)(Args...), Args... args) {
    maybeDie();
    const SystemError result = call(args...);
    maybeDie();
    return result;
}

SystemError noLink(const path&, const path&) {
    return {platform::Failure::NoPermission, EPERM};
}
SystemError killingLink(const path& a, const path& b) {
    return around<const path&, const path&>(platform::hardLink, a, b);
}
SystemError killingNoLink(const path& a, const path& b) {
    return around<const path&, const path&>(noLink, a, b);
}
SystemError killingRename(const path& a, const path& b) {
    return around<const path&, const path&>(platform::replaceFile, a, b);
}
SystemError killingRenameToNew(const path& a, const path& b) {
    return around<const path&, const path&>(platform::renameToNewName, a, b);
}
SystemError killingFsync(platform::FileHandle fd) {
    return around(platform::flushFile, fd);
}
SystemError killingRefusingRename(const path& a, const path& b) {
    return around<const path&, const path&>(test::refusingRename<platform::Failure::NameTaken>, a,
                                            b);
}

const SaveSystemCalls withLinks{killingLink, killingRename, killingFsync, killingRenameToNew};
const SaveSystemCalls withoutLinks{killingNoLink, killingRename, killingFsync, killingRenameToNew};
const SaveSystemCalls refusingWithLinks{killingLink, killingRefusingRename, killingFsync,
                                        killingRenameToNew};
const SaveSystemCalls refusingWithoutLinks{killingNoLink, killingRefusingRename, killingFsync,
                                           killingRenameToNew};
// link, fsync record, fsync new, rename, fsync folder; without links: link, fsync copy,
// rename copy, fsync record, fsync new, rename, fsync folder. Two moments each. Where the
// rename over the savegame is refused, it is followed by fsync folder and the rename into
// the freed name.
constexpr int momentsWithLinks = 10;
constexpr int momentsWithoutLinks = 14;
constexpr int momentsOfTheRefusedRename = 4;
// The moment just before the new version takes the freed name, with links.
constexpr int beforeTheFreedNameIsTaken = momentsWithLinks + 1;

bool isCompleteVersion(const Bytes& content) {
    return content.size() == 63596 && content == patternedSavegame(content[0]);
}

class CrashConsistency : public ::testing::Test {
  protected:
    void SetUp() override {
        path = (place / "save.dat").string();
        writeFile(path, patternedSavegame(0));
    }

    // Saves the next version in a child that is killed at the given moment or after the
    // given time; returns whether the kill hit before the save had finished.
    bool saveInChild(const SaveSystemCalls& sys, int killMoment,
                     std::optional<long> killAfterMicroseconds) {
        const Bytes next = patternedSavegame(nextSeed++);
        return runInChild([&] { saveSavegame(path, next, sys); }, next, killMoment,
                          killAfterMicroseconds);
    }

    // The same for a restore of the backup: the savegame must then hold its old bytes or
    // the backup's, and the backup stay as it was.
    bool restoreInChild(const std::string& backup, const SaveSystemCalls& sys, int killMoment) {
        const Bytes restored = readFile(backup);
        const bool killed =
            runInChild([&] { restoreBackup(path, backup, sys); }, restored, killMoment, {});
        EXPECT_EQ(readFile(backup), restored) << "the restored backup changed";
        return killed;
    }

    bool runInChild(const std::function<void()>& step, const Bytes& next, int killMoment,
                    std::optional<long> killAfterMicroseconds) {
        const auto before = versions();
        const bool savegameThere = std::filesystem::exists(path);
        killAt = killMoment;
        moment = 0;
        int started[2];
        EXPECT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(started[0]);
            const char signal = 's';
            if (::write(started[1], &signal, 1) != 1) {
                ::_exit(2);
            }
            step();
            ::_exit(0);
        }
        // The clock starts once the child is about to save, not while it is being forked.
        ::close(started[1]);
        char signal = 0;
        EXPECT_EQ(::read(started[0], &signal, 1), 1);
        ::close(started[0]);
        if (killAfterMicroseconds) {
            std::this_thread::sleep_for(std::chrono::microseconds(*killAfterMicroseconds));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        checkFolder(before, savegameThere, next);
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        kills += killed ? 1 : 0;
        return killed;
    }

    // The seeds of the whole versions in the folder, under any name.
    std::set<std::uint8_t> versions() const {
        std::set<std::uint8_t> seeds;
        for (const auto& entry : std::filesystem::directory_iterator(place)) {
            const Bytes content = readFile(entry.path().string());
            if (isCompleteVersion(content)) {
                seeds.insert(content[0]);
            }
        }
        return seeds;
    }

    // No whole version that was in the folder is gone, under whatever name it is now. The
    // savegame holds one of them or the new version; where its name was freed to be taken
    // by the new version, that lies under a temporary name. Backups are whole, and at most
    // one temporary file besides the records is not a whole version.
    void checkFolder(const std::set<std::uint8_t>& before, bool savegameThere,
                     const Bytes& attempted) {
        const bool present = std::filesystem::exists(path);
        const Bytes now = readFile(path);
        ASSERT_TRUE(!present || now == attempted ||
                    (isCompleteVersion(now) && before.contains(now[0])))
            << "the savegame is no version";
        // A file counts once, though a rename killed between link and unlink left two names.
        std::set<ino_t> partial;
        std::string partialNames;
        for (const auto& entry : std::filesystem::directory_iterator(place)) {
            const std::string name = entry.path().filename().string();
            if (name == "save.dat" || name.ends_with(".name")) {
                continue;
            }
            const Bytes content = readFile(entry.path().string());
            struct stat info {};
            if (!isBackupName(name) && !isCompleteVersion(content) &&
                ::stat((inodesFolder / name).c_str(), &info) == 0) {
                partial.insert(info.st_ino);
                partialNames += " " + name;
            } else if (isBackupName(name) && checkedBackups.insert(name).second) {
                EXPECT_TRUE(isCompleteVersion(content)) << name;
            }
        }
        const auto after = versions();
        for (const auto seed : before) {
            EXPECT_TRUE(after.contains(seed)) << "version " << int(seed) << " is gone";
        }
        // The savegame's name is freed only once the new version is written.
        EXPECT_TRUE(present || !savegameThere || after.contains(attempted[0]))
            << "the new version is gone";
        EXPECT_LE(partial.size(), 1u) << "left:" << partialNames;
    }

    static bool isBackupName(const std::string& name) {
        const std::string prefix = "save.dat.~";
        return name.size() > prefix.size() && name.starts_with(prefix) &&
               name.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
    }

    // Every step, before and after, several times. A kill that left the savegame's name
    // free is followed by a save that completes, as the player's next one would, so that
    // each step is reached with the savegame there.
    void killAtEveryStep(const SaveSystemCalls& sys, int moments) {
        for (int round = 0; round < 5; ++round) {
            for (int at = 1; at <= moments; ++at) {
                EXPECT_TRUE(saveInChild(sys, at, std::nullopt)) << "moment " << at << " never came";
                if (!std::filesystem::exists(path)) {
                    EXPECT_FALSE(saveInChild(sys, 0, std::nullopt));
                }
            }
        }
    }

    // Kills at random times within the duration of a save, until enough have hit.
    void killAtRandomTimes(const SaveSystemCalls& sys, int hits) {
        std::mt19937 random(12345);
        std::uniform_int_distribution<long> delay(0, 2 * typicalSaveMicroseconds());
        int hit = 0;
        for (int tries = 0; hit < hits && tries < hits * 10; ++tries) {
            hit += saveInChild(sys, 0, delay(random)) ? 1 : 0;
        }
        EXPECT_EQ(hit, hits);
    }

    long typicalSaveMicroseconds() {
        const Bytes same = readFile(path);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 5; ++i) {
            saveSavegame(path, same);
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() / 5;
    }

    // A save with the savegame there leaves nothing behind.
    void expectASaveCleansUp() {
        for (const auto& next : {patternedSavegame(nextSeed++), patternedSavegame(nextSeed)}) {
            const auto result = saveSavegame(path, next);
            ASSERT_TRUE(result.saved) << result.text;
        }
        const Bytes last = patternedSavegame(nextSeed);
        EXPECT_EQ(readFile(path), last);
        checkFolder(versions(), true, last);
        for (const auto& entry : std::filesystem::directory_iterator(place)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "save.dat" || isBackupName(name)) << name << " was left behind";
        }
    }

    TestFolder folder;
    std::filesystem::path place = folder.path();
    std::filesystem::path inodesFolder = place;
    std::string path;
    std::set<std::string> checkedBackups;
    std::uint8_t nextSeed = 1;
    int kills = 0;
};

// The same on real file systems of other systems, mounted in user space: FAT, where link()
// itself fails, and on Debian 13 also a rename onto a name that exists; NTFS through
// ntfs-3g, which players who start both systems keep their games on.
class CrashConsistencyOnOtherVolumes : public CrashConsistency,
                                       public ::testing::WithParamInterface<UserSpaceMount::Kind> {
  protected:
    void SetUp() override {
        if (!volume.missing().empty()) {
            GTEST_SKIP() << "no such file system here: " << volume.missing();
        }
        place = volume.path();
        inodesFolder = volume.inodesFolder();
        moments = momentsOfASave();
        CrashConsistency::SetUp();
    }

    // How many moments a save has here, by what the file system refuses. A rename refused
    // without permission is followed by a try whether a rename to a new name works.
    int momentsOfASave() const {
        const auto a = place / "a", b = place / "b", c = place / "c";
        writeFile(a, "a");
        writeFile(b, "b");
        const bool links = ::link(a.c_str(), c.c_str()) == 0;
        const bool replaces = ::rename(b.c_str(), a.c_str()) == 0;
        const bool denied = !replaces && errno == EPERM;
        for (const auto& probe : {a, b, c}) {
            std::filesystem::remove(probe);
        }
        return (links ? momentsWithLinks : momentsWithoutLinks) +
               (replaces ? 0 : momentsOfTheRefusedRename) + (denied ? 2 : 0);
    }

    UserSpaceMount volume{GetParam()};
    int moments = 0;
};

} // namespace

TEST_F(CrashConsistency, KilledSavesWithHardLinksLoseNothing) {
    killAtEveryStep(withLinks, momentsWithLinks);
    killAtRandomTimes(withLinks, 60);
    expectASaveCleansUp();
    EXPECT_GE(kills, 100);
}

TEST_F(CrashConsistency, KilledSavesWithoutHardLinksLoseNothing) {
    killAtEveryStep(withoutLinks, momentsWithoutLinks);
    killAtRandomTimes(withoutLinks, 60);
    expectASaveCleansUp();
    EXPECT_GE(kills, 100);
}

// Where the file system refuses to rename onto the savegame's name, the name is freed and
// taken by the new version: a kill in between leaves the old version under its backup's
// name and the new one under its temporary name, which the next save puts in its place.
TEST_F(CrashConsistency, KilledSavesWhereTheRenameOverTheSavegameIsRefusedLoseNothing) {
    killAtEveryStep(refusingWithLinks, momentsWithLinks + momentsOfTheRefusedRename);
    // The next save completes such an interrupted save first, and is killed at each of its
    // moments too: the interrupted version's rename into the freed name, then its own.
    for (int at = 1; at <= 2 + momentsWithLinks; ++at) {
        if (std::filesystem::exists(path)) {
            ASSERT_TRUE(saveInChild(refusingWithLinks, beforeTheFreedNameIsTaken, std::nullopt));
        }
        EXPECT_TRUE(saveInChild(withLinks, at, std::nullopt)) << "moment " << at << " never came";
    }
    killAtEveryStep(refusingWithoutLinks, momentsWithoutLinks + momentsOfTheRefusedRename);
    killAtRandomTimes(refusingWithoutLinks, 60);
    expectASaveCleansUp();
    EXPECT_GE(kills, 100);
}

// A save killed just before its new version takes the freed name, and the game writes the
// savegame anew before the next save: the interrupted version becomes a backup that the
// player sees, beside the old version and the game's, and nothing stays hidden.
TEST_F(CrashConsistency, AnInterruptedVersionOutlivesASavegameWrittenAnewFromOutside) {
    ASSERT_TRUE(saveInChild(refusingWithLinks, beforeTheFreedNameIsTaken, std::nullopt));
    ASSERT_FALSE(std::filesystem::exists(path)) << "the kill came at another moment";
    const std::uint8_t interrupted = nextSeed - 1;
    writeFile(path, patternedSavegame(200));
    ASSERT_TRUE(saveSavegame(path, patternedSavegame(nextSeed)).saved);
    std::set<std::uint8_t> backups;
    for (const auto& entry : std::filesystem::directory_iterator(place)) {
        const std::string name = entry.path().filename().string();
        ASSERT_TRUE(name == "save.dat" || isBackupName(name)) << name << " is hidden";
        backups.insert(isBackupName(name) ? readFile(entry.path())[0] : 255);
    }
    EXPECT_EQ(backups, (std::set<std::uint8_t>{0, interrupted, 200, 255}));
}

// A restore is a save of the backup's bytes: a kill at any of its steps loses nothing
// either, and the backups it restores from are never touched.
TEST_F(CrashConsistency, KilledRestoresLoseNothingAndLeaveTheBackupsAlone) {
    ASSERT_TRUE(saveSavegame(path, patternedSavegame(nextSeed++)).saved);
    for (const auto& [sys, moments] :
         {std::pair{withLinks, momentsWithLinks}, {withoutLinks, momentsWithoutLinks}}) {
        for (int at = 1; at <= moments; ++at) {
            EXPECT_TRUE(restoreInChild(path + ".~1", sys, at)) << "moment " << at << " never came";
        }
    }
    expectASaveCleansUp();
}

TEST_P(CrashConsistencyOnOtherVolumes, SavesMakeNumberedBackups) {
    writeFile(path + ".~1", patternedSavegame(7));
    writeFile(path + ".~3", patternedSavegame(9));
    for (const char* expected : {".~2", ".~4"}) {
        const Bytes next = patternedSavegame(nextSeed++);
        const Bytes before = readFile(path);
        const auto result = saveSavegame(path, next);
        ASSERT_TRUE(result.saved) << result.text;
        EXPECT_EQ(result.backup, path + expected);
        EXPECT_EQ(readFile(path + expected), before);
        EXPECT_EQ(readFile(path), next);
    }
    expectASaveCleansUp();
}

TEST_P(CrashConsistencyOnOtherVolumes, KilledSavesLoseNothing) {
    killAtEveryStep(withLinks, moments);
    killAtRandomTimes(withLinks, 60);
    expectASaveCleansUp();
    EXPECT_GE(kills, 100);
}

std::string volumeName(const ::testing::TestParamInfo<UserSpaceMount::Kind>& kind) {
    constexpr const char* names[] = {"Fat", "Ntfs", "", "Sftp", "SftpWithoutPosixRename"};
    return names[static_cast<int>(kind.param)];
}

INSTANTIATE_TEST_SUITE_P(, CrashConsistencyOnOtherVolumes,
                         ::testing::Values(UserSpaceMount::Kind::Fat, UserSpaceMount::Kind::Ntfs,
                                           UserSpaceMount::Kind::Sftp,
                                           UserSpaceMount::Kind::SftpWithoutPosixRename),
                         volumeName);
