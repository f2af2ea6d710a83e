#pragma once

// A savegame in a fresh folder, and system calls that fail on demand, for the tests of
// saving on every system.
#include "saving.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <set>
#ifdef _WIN32
#include <windows.h>
#endif

namespace garagon::test {

inline std::set<std::string> listing(const TestFolder& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Fails the n-th call (1-based) of the replaced system call with an I/O error; 0 never fails.
inline int failingCall = 0;
inline int calls = 0;

using platform::SystemError;
using Path = std::filesystem::path;

inline bool failNow() {
    return ++calls == failingCall;
}
inline const SystemError ioError{platform::Failure::IO, 5};

inline SystemError failingFsync(platform::FileHandle file) {
    return failNow() ? ioError : platform::flushFile(file);
}
inline SystemError failingRename(const Path& from, const Path& to) {
    return failNow() ? ioError : platform::replaceFile(from, to);
}
// A volume that refuses a second name: FAT, or a cloud folder that denies it.
inline SystemError refusedLink(const Path&, const Path&) {
    return {platform::Failure::NoPermission, 5};
}
// A name check that finds nothing, as the C runtime's beyond 260 characters on Windows.
inline platform::NameState nothingTaken(const Path&) {
    return platform::NameState::Free;
}
// A name check that gets no answer, as on a share that went away; it counts its calls.
inline platform::NameState unanswered(const Path&) {
    ++calls;
    return platform::NameState::Unknown;
}
inline SystemError failingStep(const Path&, const Path&) {
    return ioError;
}
// The game writes its savegame just before the new file takes the name that was free.
inline Path appearsAt;
inline SystemError gameWritesFirst(const Path& from, const Path& to) {
    if (to == appearsAt) {
        writeFile(to, patternedSavegame(7));
    }
    return platform::renameToNewName(from, to);
}
// Another program keeps the name from going; the second removal only, where one is given.
inline SystemError nameStays(const Path&) {
    return {platform::Failure::InUse, 32};
}
inline int removals = 0;
inline SystemError secondNameStays(const Path& path) {
    return ++removals == 2 ? nameStays(path) : platform::removeFile(path);
}
// A file system that refuses to rename onto a name that exists: FAT in user space on FUSE 3
// with EEXIST, sshfs with EPERM where the server has no POSIX rename.
template <platform::Failure refusal> SystemError refusingRename(const Path& from, const Path& to) {
    return platform::nameState(to) == platform::NameState::Free
               ? platform::replaceFile(from, to)
               : SystemError{refusal, refusal == platform::Failure::NameTaken ? 17 : 1};
}
// Refuses every rename, to a new name too, as a folder that forbids renaming.
inline SystemError renameRefused(const Path&, const Path&) {
    return {platform::Failure::NoPermission, 1};
}
inline SystemError heldByTheGame(const Path&, const Path&) {
    return {platform::Failure::HeldOpen, 5};
}
inline std::optional<std::string> tarvoHolds(const Path&) {
    return "Tarvo (tarvo.exe)";
}

// Read-only and, where the system has it, hidden: what a player sets against an autosave.
inline void protectFromTheGame(const Path& path) {
#ifdef _WIN32
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
#else
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
#endif
}

class Saving : public ::testing::Test {
  protected:
    void SetUp() override {
        calls = 0;
        failingCall = 0;
        removals = 0;
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

} // namespace garagon::test
