#pragma once

// A savegame in a fresh folder, and system calls that fail on demand, for the tests of
// saving on every system.
#include "saving.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>
#include <set>

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
inline SystemError unsupportedLink(const Path&, const Path&) {
    return {platform::Failure::NoHardLinks, 1};
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

} // namespace garagon::test
