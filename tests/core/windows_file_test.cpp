// Where saving and loading meet what only Windows does: sharing rules, programs that hold
// a file for a moment, file attributes, UTF-16 names, long paths and its error codes.
#include "backups.hpp"
#include "interrupted_saves.hpp"
#include "loading.hpp"
#include "messages.hpp"
#include "modVelox.hpp"
#include "path_text.hpp"
#include "save_folder.hpp"
#include "saving_fixture.hpp"
#include "win32/holder_rule.hpp"
#include "win32/listing_rule.hpp"
#include "win32/name_rules.hpp"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>
#include <windows.h>

using namespace garagon;
using namespace garagon::test;

namespace {

// Another program's handle on the file, sharing only what is given.
class Held {
  public:
    Held(const std::filesystem::path& path, DWORD sharing)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~Held() { release(); }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (valid()) {
            CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
        }
    }

  private:
    HANDLE handle_;
};

DWORD attributesOf(const std::filesystem::path& path) {
    return GetFileAttributesW(path.c_str());
}

// Removes a folder and all in it through the wide API, which takes paths of any length
// behind the prefix "\\?\".
bool removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry)) {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = folder + L"\\" + name;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            removeTree(path);
        } else {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    }
    FindClose(search);
    return RemoveDirectoryW(folder.c_str()) != 0;
}

std::string utf8(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace

TEST_F(Saving, AFolderWithUmlautsAndACyrillicNameSaveAndLoad) {
    const auto place = folder.path() / L"Spielst\u00e4nde J\u00fcrgen";
    std::filesystem::create_directory(place);
    const auto savegame = place / L"\u041d\u043e\u0447\u044c.sav";
    writeFile(savegame, oldBytes);
    EXPECT_EQ(loadSavegame(savegame).data, oldBytes);
    const auto result = saveSavegame(savegame, newBytes);
    ASSERT_TRUE(result.saved) << result.text;
    auto backup = savegame;
    backup += L".~1";
    EXPECT_EQ(result.backup, backup);
    EXPECT_NE(result.text.find(utf8(backup)), std::string::npos);
    EXPECT_NE(result.text.find("Spielstände Jürgen\\Ночь.sav.~1"), std::string::npos);
    EXPECT_EQ(loadSavegame(savegame).data, newBytes);
    EXPECT_EQ(loadSavegame(backup).data, oldBytes);
}

TEST_F(Saving, PathsBeyondTwoHundredSixtyCharactersSaveAndLoad) {
    auto place = folder.path();
    for (int depth = 0; depth < 4; ++depth) {
        place /= std::string(80, static_cast<char>('a' + depth));
        std::filesystem::create_directory(place);
    }
    const auto savegame = place / "lang.sav";
    ASSERT_GT(savegame.native().size(), 300u);
    ASSERT_TRUE(saveSavegame(savegame, oldBytes).saved); // no old file: written anew
    const auto result = saveSavegame(savegame, newBytes);
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(loadSavegame(savegame).data, newBytes);
    EXPECT_EQ(loadSavegame(result.backup).data, oldBytes);
    EXPECT_TRUE(removeTree(L"\\\\?\\" + (folder.path() / std::string(80, 'a')).native()));
}

// The game holds its savegame open, without letting it be deleted or renamed, or sharing
// everything: Windows replaces no file that any program has open. Once it lets go, the
// save succeeds.
TEST_F(Saving, ASavegameHeldOpenByAnotherProgramIsNotSavedAndNothingChanges) {
    const std::pair<DWORD, const char*> cases[] = {
        {FILE_SHARE_READ, "Die Datei wird gerade von einem anderen Programm benutzt."},
        {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
         "Ein anderes Programm, wahrscheinlich das Spiel, hat den Spielstand noch geöffnet."},
    };
    for (const auto& [sharing, reason] : cases) {
        Held game(path, sharing);
        ASSERT_TRUE(game.valid());
        const auto result = saveSavegame(path, newBytes);
        EXPECT_FALSE(result.saved);
        EXPECT_NE(result.text.find(
                      std::string("Der Spielstand kann gerade nicht ersetzt werden: ") + reason),
                  std::string::npos)
            << result.text;
        EXPECT_NE(result.text.find("Die bisherige Datei ist unverändert erhalten."),
                  std::string::npos);
        expectNothingLost();
    }
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
}

// A virus scanner holds the file for a moment: the save waits for it and succeeds.
TEST_F(Saving, AFileHeldForAMomentIsSavedOnceItIsFree) {
    Held scanner(path, FILE_SHARE_READ);
    ASSERT_TRUE(scanner.valid());
    std::thread letGo([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        scanner.release();
    });
    const auto start = std::chrono::steady_clock::now();
    const auto result = saveSavegame(path, newBytes);
    letGo.join();
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_EQ(readFile(path), newBytes);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
}

// The replace step itself meets the scanner: the new file was just written.
TEST_F(Saving, AReplaceThatMeetsABriefHoldIsTriedAgain) {
    static std::thread letGo;
    static std::unique_ptr<Held> scanner;
    const auto holdThenReplace = [](const Path& from, const Path& to) {
        scanner = std::make_unique<Held>(to, FILE_SHARE_READ);
        letGo = std::thread([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            scanner->release();
        });
        return platform::replaceFile(from, to);
    };
    const auto result = saveSavegame(path, newBytes, {.rename = holdThenReplace});
    letGo.join();
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(readFile(path), newBytes);
}

// The game opens its savegame after the check, sharing neither its deletion nor a rename:
// the replace fails, and the backup's name cannot go either, since sharing rules belong to
// the file and not to a name. The message names that second name; the savegame keeps every
// one of its attributes.
TEST_F(Saving, AGameThatOpensTheSavegameDuringASaveLeavesASecondNameThatIsNamed) {
    static std::unique_ptr<Held> game;
    const auto gameOpensFirst = [](const Path& from, const Path& to) {
        game = std::make_unique<Held>(to, FILE_SHARE_READ);
        return platform::replaceFile(from, to);
    };
    // Wine keeps no "not content indexed" or "temporary" attribute to show that they stay.
    constexpr DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesW(Path(path).c_str(), attributes);
    const auto result = saveSavegame(path, newBytes, {.rename = gameOpensFirst});
    game.reset();
    EXPECT_FALSE(result.saved);
    EXPECT_NE(result.text.find("zweiten Namen, der sich nicht entfernen ließ:\r\n" + path + ".~1"),
              std::string::npos)
        << result.text;
    EXPECT_EQ(result.text.find("unverändert"), std::string::npos) << result.text;
    EXPECT_EQ(readFile(path), oldBytes);
    EXPECT_EQ(attributesOf(path) & ~FILE_ATTRIBUTE_ARCHIVE, attributes);
}

TEST_F(Saving, AReadOnlySavegameIsSavedAndTheNewFileAndTheBackupStayReadOnly) {
    SetFileAttributesW(Path(path).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    const auto result = saveSavegame(path, newBytes);
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(readFile(path), newBytes);
    EXPECT_EQ(readFile(path + ".~1"), oldBytes);
    EXPECT_NE(attributesOf(path) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_NE(attributesOf(path + ".~1") & FILE_ATTRIBUTE_READONLY, 0u);
    // Without hard links the copy takes the attribute along, but nothing of the savegame's
    // state in a cloud or as a temporary file: the copy is on the disk, to keep.
    constexpr DWORD cloudState = FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;
    SetFileAttributesW(Path(path).c_str(),
                       FILE_ATTRIBUTE_READONLY | cloudState | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    const auto again = saveSavegame(path, oldBytes, {.link = refusedLink});
    ASSERT_TRUE(again.saved) << again.text;
    EXPECT_NE(attributesOf(path + ".~2") & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(attributesOf(path + ".~2") & cloudState, 0u);
    EXPECT_EQ(readFile(path + ".~2"), newBytes);
}

// A name that another handle keeps while it is deleted, as FAT, exFAT and SMB do where the
// deletion is not POSIX's, is never taken for free: it goes at once, or its removal fails
// with the reason that another program uses the file.
TEST_F(Saving, ARemovedNameIsFreeOrItsRemovalSaysWhyNot) {
    Held held(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(held.valid());
    const auto error = platform::removeFile(path);
    EXPECT_EQ(platform::nameState(path) == platform::NameState::Free, !error);
    EXPECT_TRUE(!error || error.kind == platform::Failure::InUse) << error.code;
}

// The program named as the holder is one that the player can end, and never one that
// merely got the process id of a holder that has ended.
TEST(Holders, AProgramWithAWindowIsNamedBeforeTheSystemAndAReusedIdNever) {
    const auto at = [](DWORD ticks) { return FILETIME{ticks, 0}; };
    const auto running = [&](DWORD id) -> std::optional<FILETIME> {
        return id == 9 ? std::nullopt : std::optional(at(id == 4 ? 99 : id));
    };
    const auto process = [&](DWORD id, RM_APP_TYPE type, DWORD started) {
        RM_PROCESS_INFO info{};
        info.Process = {id, at(started)};
        info.ApplicationType = type;
        return info;
    };
    const struct {
        std::vector<RM_PROCESS_INFO> holders;
        DWORD named; // 0: none
    } cases[] = {
        {{process(1, RmExplorer, 1), process(2, RmService, 2), process(3, RmMainWindow, 3)}, 3},
        {{process(5, RmOtherWindow, 5), process(6, RmMainWindow, 6)}, 6},
        {{process(4, RmMainWindow, 4), process(7, RmCritical, 7)}, 7},   // 4 started anew
        {{process(9, RmMainWindow, 9), process(8, RmUnknownApp, 8)}, 8}, // 9 has ended
        {{process(10, RmMainWindow, 10)}, 0},                            // this process
        {{}, 0},
    };
    for (const auto& [holders, named] : cases) {
        const auto* chosen = platform::chosenHolder(holders, 10, running);
        EXPECT_EQ(chosen != nullptr ? chosen->Process.dwProcessId : 0, named);
    }
}

// The old file gets its second name: no copy, the same file.
TEST_F(Saving, TheBackupIsTheOldFileItself) {
    const auto identity = [](const Path& name) {
        BY_HANDLE_FILE_INFORMATION info{};
        HANDLE file =
            CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        GetFileInformationByHandle(file, &info);
        CloseHandle(file);
        return std::pair(info.nFileIndexHigh, info.nFileIndexLow);
    };
    const auto before = identity(path);
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    EXPECT_EQ(identity(path + ".~1"), before);
    EXPECT_NE(identity(path), before);
    EXPECT_EQ(std::filesystem::hard_link_count(path + ".~1"), 1u);
}

// A temporary file left by a save that was interrupted may carry the read-only attribute
// of its savegame; it goes all the same.
TEST_F(Saving, ReadOnlyTemporariesOfInterruptedSavesAreRemoved) {
    const Path stale = folder.path() / ".~garagon-k3m9x2";
    writeFile(stale, "halb geschrieben");
    SetFileAttributesW(stale.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
}

// A lock file left behind, by a crash of the system say, blocks no save; a save's own
// lock file goes with it.
TEST_F(Saving, ALeftOverLockFileBlocksNothingAndTheLockLeavesNoFile) {
    writeFile(folder.path() / ".~garagon-lock", "");
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"save1.dat", "save1.dat.~1"}));
}

// Two savers in turn while a reader opens the savegame again and again, as the game or a
// scanner would: each step that meets the reader's handle waits for it.
TEST_F(Saving, ConcurrentSavesWhileTheFileIsReadAllSucceedAndNeverExposeAPartialSavegame) {
    constexpr int savers = 2, savesEach = 50;
    std::atomic<int> running = savers, failed = 0;
    std::vector<std::thread> threads;
    for (int saver = 0; saver < savers; ++saver) {
        threads.emplace_back([&, saver] {
            for (int i = 0; i < savesEach; ++i) {
                const auto seed = static_cast<std::uint8_t>(saver * 100 + i + 3);
                failed += saveSavegame(path, patternedSavegame(seed)).saved ? 0 : 1;
            }
            --running;
        });
    }
    int reads = 0;
    while (running > 0) {
        const Bytes seen = readFile(path);
        if (seen.empty()) {
            continue; // Windows keeps a reader out for the moment a file is being renamed
        }
        ++reads;
        ASSERT_EQ(seen.size(), 63596u);
        ASSERT_EQ(seen, patternedSavegame(seen[0])) << "a savegame mixed of two versions";
        // A reader that let go of the file never would starve any writer on Windows.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failed, 0);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(listing(folder).size(), 1u + savers * savesEach);
}

// Windows' ransomware protection as the registry of the test's own Wine prefix holds it,
// with the folder among those it guards or not.
class ProtectionSetting {
  public:
    ProtectionSetting(const wchar_t* key, DWORD value, const std::wstring& guarded)
        : key_(key), list_(key != nullptr ? std::wstring(key) + L"\\ProtectedFolders" : L""),
          guarded_(guarded) {
        if (key_ != nullptr) {
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_, valueName, REG_DWORD, &value, sizeof value);
        }
        if (!guarded_.empty()) {
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, list_.c_str(), guarded_.c_str(), REG_SZ, L"0",
                            2 * sizeof(wchar_t));
        }
    }
    ~ProtectionSetting() {
        if (key_ != nullptr) {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key_, valueName);
        }
        if (!guarded_.empty()) {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, list_.c_str(), guarded_.c_str());
        }
    }

  private:
    static constexpr const wchar_t* valueName = L"EnableControlledFolderAccess";
    const wchar_t* key_;
    std::wstring list_;
    std::wstring guarded_;
};

namespace {

// Saves in the refusing folder fail as they should whether the protection guards it or not.
void expectRefusedWrites(const Path& folder, std::ptrdiff_t entries) {
    const Path savegame = folder / "save1.dat";
    const Bytes before = readFile(savegame);
    ASSERT_EQ(before.size(), 63596u);
    constexpr const wchar_t* setting = L"SOFTWARE\\Microsoft\\Windows Defender\\Windows Defender "
                                       L"Exploit Guard\\Controlled Folder Access";
    constexpr const wchar_t* policy = L"SOFTWARE\\Policies\\Microsoft\\Windows Defender\\Windows "
                                      L"Defender Exploit Guard\\Controlled Folder Access";
    const char* refused = "Der Ordner des Spielstands konnte nicht für das Speichern reserviert "
                          "werden: Keine Berechtigung.";
    const char* protection = "Ransomware-Schutz → „App durch überwachten Ordnerzugriff zulassen“";
    // Guarded as the lists of folders that an administrator adds name it: in another case,
    // or through an environment variable.
    std::wstring guarded = folder.native();
    CharUpperW(guarded.data());
    SetEnvironmentVariableW(L"GARAGON_GUARDED", folder.parent_path().c_str());
    const std::wstring byVariable = L"%GARAGON_GUARDED%\\" + folder.filename().native();
    const struct {
        const wchar_t* key;
        DWORD value;
        std::wstring listed;
        const char* says;
    } cases[] = {
        {nullptr, 0, L"", refused},
        {setting, 1, L"", refused}, // on, but not for this folder
        {setting, 1, guarded, protection},
        {setting, 2, guarded, refused}, // audit only: nothing is blocked
        {policy, 1, guarded, protection},
        {setting, 1, byVariable, protection},
    };
    for (const auto& [key, value, listed, says] : cases) {
        const ProtectionSetting protectedFolders(key, value, listed);
        const auto start = std::chrono::steady_clock::now();
        const auto result = saveSavegame(savegame, patternedSavegame(9));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        EXPECT_FALSE(result.saved);
        EXPECT_NE(result.text.find(says), std::string::npos) << result.text;
        EXPECT_NE(result.text.find("Die bisherige Datei ist unverändert erhalten."),
                  std::string::npos);
        EXPECT_EQ(readFile(savegame), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                                std::filesystem::directory_iterator()),
                  entries);
    }
}

} // namespace

// A savegame in a folder that refuses writes, as Program Files, a protected Documents
// folder or another user's folder do, even with the lock file of a save that a crash
// interrupted left in it: the save fails at once, gives the true reason and changes nothing.
TEST(RefusedWrites, AFolderThatRefusesWritesSaysWhyAtOnceAndNothingChanges) {
    const char* unixFolder = std::getenv("GARAGON_REFUSING_FOLDER");
    std::string folder = std::string("Z:") + (unixFolder != nullptr ? unixFolder : "");
    std::replace(folder.begin(), folder.end(), '/', '\\');
    if (unixFolder == nullptr || !std::filesystem::exists(folder)) {
        GTEST_SKIP() << "no folder that refuses writes here: chattr +i (e2fsprogs) needs root "
                        "and a file system that keeps the flag";
    }
    for (const auto& [refusing, entries] :
         {std::pair{Path(folder), 1}, std::pair{Path(folder + "-with-lock"), 2}}) {
        expectRefusedWrites(refusing, entries);
    }
}

// Windows compares names without regard to case: SAVE1.DAT has the backups of save1.dat,
// and restores them.
TEST_F(Saving, ASavegameChosenInAnotherCaseListsAndRestoresItsBackups) {
    ASSERT_TRUE(saveSavegame(path, newBytes).saved);
    const Path other = platform::canonicalName(folder.path() / "SAVE1.DAT");
    // The file system's own case, for names too long to have a short form as well.
    EXPECT_EQ(other.filename(), "save1.dat");
    writeFile(folder.path() / "Spielstand-lang.sav", oldBytes);
    EXPECT_EQ(platform::canonicalName(folder.path() / "SPIELSTAND-LANG.SAV").filename(),
              "Spielstand-lang.sav");
    std::filesystem::remove(folder.path() / "Spielstand-lang.sav");
    const auto backups = findBackups(other);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].path.filename(), "save1.dat.~1");
    const auto result = restoreBackup(other, backups[0].path);
    ASSERT_TRUE(result.saved) << result.text;
    EXPECT_EQ(readFile(path), oldBytes);
}

// NTFS allows a name that is no UTF-16, as a lone surrogate. Wine cannot make one, so no
// file is behind it; nothing may throw for it, and it reads with U+FFFD.
TEST(OddNames, ANameThatIsNoUtf16IsShownWithAReplacementAndThrowsNowhere) {
    TestFolder folder;
    const Path odd = folder.path() / std::wstring(L"Spiel\xD800.sav");
    EXPECT_EQ(pathText(odd.filename()), "Spiel\xEF\xBF\xBD.sav");
    EXPECT_NO_THROW(findBackups(odd));
    EXPECT_NO_THROW(
        recoverInterruptedSaves(SaveFolder(folder.path() / std::wstring(L"Ordner\xDC00")), {}));
    EXPECT_NO_THROW(saveSavegame(odd, patternedSavegame(1)));
}

// What a folder listing takes for a file: every cloud placeholder, marked where its bytes
// are online only, and no link, folder or device.
TEST(FolderListing, OnlyLinksFoldersAndDevicesAreLeftOutAndOnlineOnlyFilesAreMarked) {
    constexpr DWORD cloud = 0x9000601A; // IO_REPARSE_TAG_CLOUD_6, as OneDrive's
    constexpr DWORD recallOnDataAccess = 0x00400000;
    constexpr DWORD reparse = FILE_ATTRIBUTE_REPARSE_POINT;
    const struct {
        DWORD attributes;
        DWORD tag;
        bool listed;
        bool onlyInCloud;
    } cases[] = {
        {FILE_ATTRIBUTE_ARCHIVE, 0, true, false},
        {FILE_ATTRIBUTE_ARCHIVE | reparse, cloud, true, false},         // kept on the disk
        {reparse | recallOnDataAccess, cloud, true, true},              // online only
        {reparse | 0x00040000, cloud, true, true},                      // recalled on open
        {FILE_ATTRIBUTE_OFFLINE, 0, true, true},                        // moved to storage
        {reparse, 0x80000013, true, false},                             // deduplicated
        {reparse, 0xA000000C, false, false},                            // a symbolic link
        {FILE_ATTRIBUTE_DIRECTORY | reparse, 0xA0000003, false, false}, // a junction
        {FILE_ATTRIBUTE_DIRECTORY, 0, false, false},
        {FILE_ATTRIBUTE_DEVICE, 0, false, false},
    };
    for (const auto& [attributes, tag, listed, onlyInCloud] : cases) {
        const auto listing = platform::listingOf(attributes, tag);
        EXPECT_EQ(listing.listed, listed) << std::hex << attributes << " " << tag;
        EXPECT_EQ(listing.onlyInCloud, onlyInCloud) << std::hex << attributes << " " << tag;
    }
}

TEST(SavegameLoading, HiddenAndSystemFilesLoad) {
    TestFolder folder;
    const auto path = folder.path() / "versteckt.dat";
    writeFile(path, patternedSavegame(4));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(loadSavegame(path).data, patternedSavegame(4));
}

TEST(SavegameLoading, NamedPipesAreNotFoundAndNeverBlock) {
    const std::wstring pipeName = L"\\\\.\\pipe\\garagon-test";
    HANDLE pipe =
        CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    EXPECT_EQ(loadSavegame(pipeName).status, LoadStatus::NotFound);
    CloseHandle(pipe);
}

// Another program keeps the catalogue open without letting it be read.
TEST(CatalogueLoading, ACatalogueHeldWithoutReadSharingIsAReadError) {
    TestFolder folder;
    writeFile(folder.file("Cardata.txt"), "01 = A\r\n");
    Held editor(folder.path() / "Cardata.txt", 0);
    ASSERT_TRUE(editor.valid());
    const auto report = modVelox::LadeWagenliste(folder.path());
    EXPECT_EQ(report.status, modVelox::CatalogueStatus::ReadError);
    EXPECT_EQ(messages::reason(report.error),
              "Die Datei wird gerade von einem anderen Programm benutzt");
}

// Each error code with its reason, and what it tells of a name that was looked at: only
// "not found" frees it, and only an answer that a file is there takes it.
TEST(SystemErrors, WindowsErrorCodesGiveTheSameReasonsAsOnLinux) {
    using enum platform::NameState;
    const char* cloud = "Die Datei wird in der Cloud aufbewahrt und kann gerade nicht gelesen "
                        "oder geschrieben werden. Prüfen Sie, ob das Programm für die "
                        "Synchronisierung läuft und der Computer mit dem Internet verbunden ist";
    const char* inUse = "Die Datei wird gerade von einem anderen Programm benutzt";
    const struct {
        DWORD code;
        const char* reason;
        platform::NameState name;
    } cases[] = {
        {ERROR_DISK_FULL, "Auf dem Datenträger ist kein Platz mehr frei", Unknown},
        {ERROR_HANDLE_DISK_FULL, "Auf dem Datenträger ist kein Platz mehr frei", Unknown},
        {ERROR_FILE_TOO_LARGE, "Die Datei ist zu groß für den Datenträger", Unknown},
        {ERROR_ACCESS_DENIED, "Keine Berechtigung", Taken}, // as a file being deleted
        {ERROR_WRITE_PROTECT, "Der Datenträger ist schreibgeschützt", Unknown},
        {ERROR_FILENAME_EXCED_RANGE, "Der Name ist zu lang für den Datenträger", Unknown},
        {ERROR_FILE_NOT_FOUND, "Eine Datei wurde während des Speicherns von außen entfernt", Free},
        {ERROR_PATH_NOT_FOUND, "Eine Datei wurde während des Speicherns von außen entfernt", Free},
        {ERROR_FILE_EXISTS, "Der Name ist bereits durch einen Ordner oder eine andere Datei belegt",
         Unknown},
        {ERROR_SHARING_VIOLATION, inUse, Taken},
        {ERROR_LOCK_VIOLATION, inUse, Unknown},
        {ERROR_DELETE_PENDING, "Systemfehler 303", Taken},
        {ERROR_CRC, "Ein- oder Ausgabefehler des Datenträgers", Unknown},
        {ERROR_INVALID_PARAMETER, "Systemfehler 87", Unknown},
        // NTFS's answer for a name of more than 255 characters, or one with "*"
        {ERROR_INVALID_NAME, "Systemfehler 123", Unknown},
        // a network share that went away
        {ERROR_NETNAME_DELETED, "Systemfehler 64", Unknown},
        {ERROR_BAD_NETPATH, "Systemfehler 53", Unknown},
        // the cloud-file codes, which the headers here lack: the provider is not running,
        // the network is unavailable, the request timed out
        {362, cloud, Unknown},
        {388, cloud, Unknown},
        {426, cloud, Unknown},
    };
    for (const auto& [code, reason, name] : cases) {
        EXPECT_EQ(messages::reason(platform::fromNative(static_cast<long>(code))), reason) << code;
        EXPECT_EQ(platform::nameStateAfter(code), name) << code;
    }
}

// A path from the system as the player would write it; a volume without a drive letter
// has only its GUID path.
TEST(SystemPaths, ThePrefixThatLiftsTheLengthLimitGoesWhereThePathHasAnotherForm) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"\\\\?\\C:\\Spiele\\save1.dat", L"C:\\Spiele\\save1.dat"},
        {L"\\\\?\\UNC\\server\\Spiele\\save1.dat", L"\\\\server\\Spiele\\save1.dat"},
        {L"\\\\?\\Volume{0b1c4a1e-5d2f-4c3b-9a8e-7f6d5c4b3a21}\\save1.dat",
         L"\\\\?\\Volume{0b1c4a1e-5d2f-4c3b-9a8e-7f6d5c4b3a21}\\save1.dat"},
        {L"D:\\save1.dat", L"D:\\save1.dat"},
    };
    for (const auto& [system, plain] : cases) {
        EXPECT_EQ(platform::plainPath(system), plain);
    }
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    wchar_t name[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, name, MAX_PATH);
    const auto folder = platform::programFolder();
    EXPECT_EQ(folder, std::filesystem::path(name).parent_path());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}
