// The file-system operations on Windows, through the wide (UTF-16) API alone.
#include "file_system.hpp"

#include "holder_rule.hpp"
#include "listing_rule.hpp"
#include "local_time.hpp"
#include "name_rules.hpp"
#include "path_text.hpp"

#include <algorithm>
#include <string_view>
#include <thread>
#include <utility>
#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <restartmanager.h>
#include <shlobj.h>

namespace garagon::platform {
namespace {

// Virus scanners, the search indexer or the game itself hold a file that was just written
// for a moment; a step that meets them is tried again with growing pauses.
constexpr auto retryTime = std::chrono::milliseconds(2000);
constexpr auto firstPause = std::chrono::milliseconds(10);
constexpr auto longestPause = std::chrono::milliseconds(250);
constexpr auto lockPollInterval = std::chrono::milliseconds(10);
constexpr const wchar_t* lockFileName = L".~garagon-lock";
// What a new file takes over from its old one.
constexpr DWORD keptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
// All that a file's attributes hold and a program may set: what a failed save puts back.
constexpr DWORD settableAttributes = keptAttributes | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                     FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;

SystemError lastError() {
    return fromNative(static_cast<long>(GetLastError()));
}

// Paths longer than the old limit of 260 characters get the prefix that lifts it.
std::wstring systemPath(const std::filesystem::path& path) {
    const std::wstring& text = path.native();
    if (text.size() < MAX_PATH || text.starts_with(L"\\\\?\\") || !path.is_absolute()) {
        return text;
    }
    const std::wstring normal = path.lexically_normal().make_preferred().native();
    return normal.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + normal.substr(2) : L"\\\\?\\" + normal;
}

constexpr const wchar_t* protectionKey =
    L"SOFTWARE\\Microsoft\\Windows Defender\\Windows Defender Exploit Guard\\Controlled "
    L"Folder Access";
constexpr const wchar_t* protectionPolicyKey =
    L"SOFTWARE\\Policies\\Microsoft\\Windows Defender\\Windows Defender Exploit "
    L"Guard\\Controlled Folder Access";

std::optional<DWORD> registryNumber(const wchar_t* key, const wchar_t* value) {
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_DWORD, nullptr, &number, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return number;
}

// Windows' ransomware protection ("controlled folder access") is on, and its scanner runs:
// an administrator's policy comes before the setting in Windows-Sicherheit. 1 blocks;
// 2 only audits. Another virus scanner leaves the value behind with Defender's real-time
// protection off.
bool protectionOn() {
    for (const wchar_t* key :
         {L"SOFTWARE\\Policies\\Microsoft\\Windows Defender\\Real-Time Protection",
          L"SOFTWARE\\Microsoft\\Windows Defender\\Real-Time Protection"}) {
        if (const auto off = registryNumber(key, L"DisableRealtimeMonitoring")) {
            if (*off == 1) {
                return false;
            }
            break;
        }
    }
    for (const wchar_t* key : {protectionPolicyKey, protectionKey}) {
        if (const auto value = registryNumber(key, L"EnableControlledFolderAccess")) {
            return *value == 1;
        }
    }
    return false;
}

// A folder of the shell, of any length, as a redirected one may have; empty where there
// is none.
std::wstring knownFolder(const KNOWNFOLDERID& known) {
    wchar_t* folder = nullptr;
    std::wstring result;
    if (SHGetKnownFolderPath(known, KF_FLAG_DONT_VERIFY, nullptr, &folder) == S_OK) {
        result = folder;
    }
    CoTaskMemFree(folder);
    return result;
}

// A name with its environment variables (%USERPROFILE%) put in, as Windows reads the lists
// of guarded folders.
std::wstring expanded(const std::wstring& name) {
    std::wstring result(name.size() + 1, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD size = ExpandEnvironmentStringsW(name.c_str(), result.data(),
                                                     static_cast<DWORD>(result.size()));
        if (size == 0) {
            return name;
        }
        const bool fits = size <= result.size();
        result.resize(fits ? size - 1 : size);
        if (fits) {
            return result;
        }
    }
    return name;
}

// The folders that the protection guards: the user's and the public documents, pictures,
// videos, music and desktop, the favourites, and those an administrator added, whose
// paths are the names of the values under ProtectedFolders.
std::vector<std::wstring> protectedFolders() {
    std::vector<std::wstring> folders;
    for (const KNOWNFOLDERID* known :
         {&FOLDERID_Documents, &FOLDERID_Pictures, &FOLDERID_Videos, &FOLDERID_Music,
          &FOLDERID_Desktop, &FOLDERID_Favorites, &FOLDERID_PublicDocuments,
          &FOLDERID_PublicPictures, &FOLDERID_PublicVideos, &FOLDERID_PublicMusic,
          &FOLDERID_PublicDesktop}) {
        folders.push_back(knownFolder(*known));
    }
    for (const wchar_t* key : {protectionPolicyKey, protectionKey}) {
        HKEY list = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(key) + L"\\ProtectedFolders").c_str(),
                          0, KEY_QUERY_VALUE, &list) != ERROR_SUCCESS) {
            continue;
        }
        std::wstring name(32768, L'\0'); // the longest value name the registry takes, ended
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumValueW(list, index, name.data(), &length, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                break;
            }
            folders.push_back(expanded(std::wstring(name.data(), length)));
        }
        RegCloseKey(list);
    }
    return folders;
}

// The folder is the guarded one or lies within it, as Windows compares names.
bool liesWithin(std::wstring_view folder, std::wstring_view guarded) {
    while (guarded.ends_with(L'\\')) {
        guarded.remove_suffix(1);
    }
    if (guarded.empty() || folder.size() < guarded.size() ||
        (folder.size() > guarded.size() && folder[guarded.size()] != L'\\')) {
        return false;
    }
    const int length = static_cast<int>(guarded.size());
    return CompareStringOrdinal(folder.data(), length, guarded.data(), length, TRUE) == CSTR_EQUAL;
}

// The protection refuses only in the folders it guards, and in any folder within them.
bool guardedFolder(const std::filesystem::path& folder) {
    if (!protectionOn()) {
        return false;
    }
    const std::wstring refused = plainPath(folder.native());
    return std::ranges::any_of(protectedFolders(), [&](const std::wstring& guarded) {
        return liesWithin(refused, guarded);
    });
}

// A path that a call writes into a buffer, giving its length, or the size it needs when
// the buffer is too small, or 0 on failure; nothing when it failed.
template <class Call> std::optional<std::wstring> pathFrom(Call call) {
    std::wstring text(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) {
            return std::nullopt;
        }
        const bool fits = length < text.size();
        text.resize(length);
        if (fits) {
            return plainPath(text);
        }
    }
    return std::nullopt;
}

// The name under which the system knows the file in the end: with its drive letter, or by
// its volume's GUID path where the volume has none (a mounted image, a folder mount).
std::optional<std::wstring> finalName(const std::filesystem::path& path, DWORD flags) {
    HANDLE file = CreateFileW(systemPath(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<std::wstring> name;
    for (const DWORD volume : {VOLUME_NAME_DOS, VOLUME_NAME_GUID}) {
        name = pathFrom([&](wchar_t* buffer, DWORD size) {
            return GetFinalPathNameByHandleW(file, buffer, size, volume);
        });
        if (name) {
            break;
        }
    }
    CloseHandle(file);
    return name;
}

bool folderAt(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The last error of a step that makes the name. A name longer than any volume takes is
// reported as such, whatever the volume answered. The ransomware protection refuses with
// access denied, and now and then with "not found" in a folder that is there.
SystemError namingError(const std::filesystem::path& name) {
    constexpr std::size_t longestName = 255;
    const DWORD code = GetLastError();
    if (name.filename().native().size() > longestName) {
        return {Failure::NameTooLong, ERROR_FILENAME_EXCED_RANGE};
    }
    const bool refused = code == ERROR_ACCESS_DENIED ||
                         ((code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) &&
                          folderAt(systemPath(name.parent_path())));
    if (refused && guardedFolder(name.parent_path())) {
        return {Failure::Protected, static_cast<long>(code)};
    }
    return fromNative(static_cast<long>(code));
}

NameState nameStateAt(const std::wstring& name) {
    return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES
               ? NameState::Taken
               : nameStateAfter(GetLastError());
}

// A file that is being deleted refuses even a look at its attributes, yet has its name.
bool beingDeleted(const std::wstring& name) {
    return GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES &&
           nameStateAfter(GetLastError()) == NameState::Taken;
}

// Whether the file opens for deletion, sharing what is given: with nothing shared, any
// other program's open handle keeps it from opening.
bool opens(const std::filesystem::path& path, DWORD sharing) {
    HANDLE file = CreateFileW(systemPath(path).c_str(), DELETE, sharing, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// Another program has the file open, however much it shares: Windows then refuses to
// replace it with access denied.
bool heldOpen(const std::filesystem::path& path) {
    return !opens(path, 0) && GetLastError() == ERROR_SHARING_VIOLATION;
}

bool isBriefHold(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

// Runs the step until it succeeds, fails for good, or the holder did not let go in time.
template <class Step> bool retried(Step step) {
    const auto deadline = std::chrono::steady_clock::now() + retryTime;
    for (auto pause = firstPause;; pause = std::min(pause * 2, longestPause)) {
        if (step()) {
            return true;
        }
        if (!isBriefHold(GetLastError()) || std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        const DWORD error = GetLastError();
        std::this_thread::sleep_for(pause);
        SetLastError(error);
    }
}

std::int64_t ticks(const FILETIME& time) {
    return static_cast<std::int64_t>(
        ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart);
}

FILETIME fileTime(std::int64_t value) {
    ULARGE_INTEGER large{};
    large.QuadPart = static_cast<ULONGLONG>(value);
    return {large.LowPart, large.HighPart};
}

// Appends up to limit bytes; false on an error.
bool readUpTo(HANDLE file, Bytes& bytes, std::size_t limit) {
    std::uint8_t chunk[65536];
    while (bytes.size() < limit) {
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min(sizeof chunk, limit - bytes.size()));
        if (!ReadFile(file, chunk, wanted, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return true;
}

SystemError writeAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
            return lastError();
        }
        if (written == 0) {
            return fromNative(ERROR_WRITE_FAULT);
        }
        done += written;
    }
    return {};
}

SystemError fill(HANDLE file, std::span<const std::uint8_t> bytes, Likeness likeness,
                 SystemError (*flush)(FileHandle)) {
    if (const auto error = writeAll(file, bytes)) {
        return error;
    }
    if (likeness.like != nullptr && likeness.times) {
        const FILETIME accessed = fileTime(likeness.like->accessed);
        const FILETIME modified = fileTime(likeness.like->modified);
        SetFileTime(file, nullptr, &accessed, &modified);
    }
    return flush(file);
}

// Windows' cloud-file error codes (ERROR_CLOUD_FILE_*), which the headers here lack: a
// file whose bytes the sync program keeps could not be had from it, or not be changed.
bool isCloudFileError(long code) {
    constexpr long codes[] = {358, 362, 363, 364, 365, 366, 374, 375, 377, 378, 379,
                              380, 381, 382, 383, 386, 387, 388, 389, 390, 391, 392,
                              393, 394, 395, 396, 397, 398, 404, 426, 429};
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

// A function of a loaded DLL; nothing where this version of Windows lacks it.
template <class Function> Function* functionOf(HMODULE module, const char* name) {
    return module != nullptr ? reinterpret_cast<Function*>(
                                   reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                             : nullptr;
}

// The file name of a running program's executable; empty where it cannot be asked.
std::wstring executableName(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return {};
    }
    const auto image = pathFrom([&](wchar_t* buffer, DWORD size) {
        if (QueryFullProcessImageNameW(process, 0, buffer, &size)) {
            return size;
        }
        return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? 2 * size : 0;
    });
    CloseHandle(process);
    return image ? std::filesystem::path(*image).filename().native() : L"";
}

// "Tarvo (tarvo.exe)", or whichever of the two is known.
std::wstring programName(const RM_PROCESS_INFO& process) {
    const std::wstring application = process.strAppName;
    const std::wstring executable = executableName(process.Process.dwProcessId);
    if (application.empty() || sameName(application, executable)) {
        return executable;
    }
    return executable.empty() ? application : application + L" (" + executable + L")";
}

// When the process started; nothing where it has ended or cannot be asked.
std::optional<FILETIME> startTimeOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return std::nullopt;
    }
    FILETIME created{}, ended{}, kernel{}, user{};
    const bool known = GetProcessTimes(process, &created, &ended, &kernel, &user);
    CloseHandle(process);
    return known ? std::optional(created) : std::nullopt;
}

// The programs that the Restart Manager finds holding the file.
std::vector<RM_PROCESS_INFO> holders(const std::wstring& file) {
    // Loaded from the system's own folder, and only when a save meets a hold.
    static const HMODULE manager =
        LoadLibraryExW(L"rstrtmgr.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const auto start = functionOf<decltype(RmStartSession)>(manager, "RmStartSession");
    const auto add = functionOf<decltype(RmRegisterResources)>(manager, "RmRegisterResources");
    const auto list = functionOf<decltype(RmGetList)>(manager, "RmGetList");
    const auto end = functionOf<decltype(RmEndSession)>(manager, "RmEndSession");
    DWORD session = 0;
    wchar_t key[CCH_RM_SESSION_KEY + 1] = {};
    if (start == nullptr || add == nullptr || list == nullptr || end == nullptr ||
        start(&session, 0, key) != ERROR_SUCCESS) {
        return {};
    }
    std::vector<RM_PROCESS_INFO> processes;
    const wchar_t* files[] = {file.c_str()};
    UINT needed = 0;
    DWORD reasons = 0;
    if (add(session, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            UINT count = static_cast<UINT>(processes.size());
            const DWORD result = list(session, &needed, &count, processes.data(), &reasons);
            if (result != ERROR_MORE_DATA) {
                processes.resize(result == ERROR_SUCCESS ? count : 0);
                break;
            }
            processes.resize(needed);
        }
    }
    end(session);
    return processes;
}

} // namespace

SystemError fromNative(long code) {
    switch (code) {
    case ERROR_SUCCESS:
        return {};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return {Failure::NoSpace, code};
    case ERROR_FILE_TOO_LARGE:
        return {Failure::TooLarge, code};
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return {Failure::NoPermission, code};
    case ERROR_WRITE_PROTECT:
        return {Failure::ReadOnlyMedium, code};
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return {Failure::NameTooLong, code};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
        return {Failure::NotFound, code};
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_DIR_NOT_EMPTY:
        return {Failure::NameTaken, code};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return {Failure::InUse, code};
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_GEN_FAILURE:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
        return {Failure::IO, code};
    default:
        return {isCloudFileError(code) ? Failure::InCloud : Failure::Other, code};
    }
}

std::optional<FileStatus> existingFile(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return std::nullopt;
    }
    return FileStatus{(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                      data.dwFileAttributes & settableAttributes, ticks(data.ftLastAccessTime),
                      ticks(data.ftLastWriteTime)};
}

NameState nameState(const std::filesystem::path& path) {
    return nameStateAt(systemPath(path));
}

bool isFolder(const std::filesystem::path& path) {
    return folderAt(systemPath(path));
}

// Only links are followed: a cloud file is a reparse point too.
std::filesystem::path linkTarget(const std::filesystem::path& path) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileExW(systemPath(path).c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return path;
    }
    FindClose(search);
    if (!isLink(entry.dwFileAttributes, entry.dwReserved0)) {
        return path;
    }
    const auto target = finalName(path, FILE_FLAG_BACKUP_SEMANTICS);
    return target ? std::filesystem::path(*target) : path;
}

// The file system's own name, in its own case: a long name's case is not corrected by
// asking for the long name. The target itself is opened, so a cloud file is not fetched.
std::filesystem::path canonicalName(const std::filesystem::path& path) {
    const std::filesystem::path target = linkTarget(path);
    if (const auto name =
            finalName(target, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT)) {
        return *name;
    }
    const std::wstring name = systemPath(target);
    const auto longName = pathFrom(
        [&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(name.c_str(), buffer, size); });
    return longName ? std::filesystem::path(*longName) : target; // not there: as chosen
}

bool sameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Windows mounts its own volumes read-only for no hibernation.
bool onWindowsVolume(const std::filesystem::path&) {
    return false;
}

// Windows has no document portal.
std::optional<PortalDocument> portalDocument(const std::filesystem::path&) {
    return std::nullopt;
}

std::optional<std::filesystem::path> virtualStoreCopy(const std::filesystem::path& path) {
    const std::wstring folder = plainPath(path.parent_path().native());
    const KNOWNFOLDERID* redirectedFolders[] = {&FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86,
                                                &FOLDERID_ProgramData, &FOLDERID_Windows};
    const bool redirected = std::ranges::any_of(redirectedFolders, [&](const KNOWNFOLDERID* known) {
        return liesWithin(folder, knownFolder(*known));
    });
    const std::wstring store = knownFolder(FOLDERID_LocalAppData);
    if (!redirected || store.empty()) {
        return std::nullopt;
    }
    // The store keeps the path without its drive: C:\Program Files\Tarvo as
    // VirtualStore\Program Files\Tarvo.
    const std::filesystem::path copy =
        std::filesystem::path(store) / L"VirtualStore" /
        std::filesystem::path(plainPath(path.native())).relative_path();
    return existingFile(copy) ? std::optional(copy) : std::nullopt;
}

std::vector<FolderFile> listFiles(const std::filesystem::path& folder) {
    // FILETIME counts 100 ns from 1601; the system clock's epoch is 1970.
    constexpr std::int64_t secondsFrom1601To1970 = 11644473600;
    constexpr std::uint64_t ticksPerSecond = 10'000'000;
    std::vector<FolderFile> files;
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileExW(systemPath(folder / L"*").c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry)) {
        const Listing listing = listingOf(entry.dwFileAttributes, entry.dwReserved0);
        if (listing.listed) {
            const auto since1601 = static_cast<std::uint64_t>(ticks(entry.ftLastWriteTime));
            files.push_back(
                {entry.cFileName,
                 (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow,
                 clockMoment(static_cast<std::int64_t>(since1601 / ticksPerSecond) -
                                 secondsFrom1601To1970,
                             static_cast<std::int64_t>(since1601 % ticksPerSecond) * 100),
                 listing.onlyInCloud});
        }
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    return files;
}

ReadResult readFile(const std::filesystem::path& path, std::size_t limit) {
    HANDLE file = CreateFileW(systemPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const SystemError error = lastError();
        return {
            error.kind == Failure::NotFound ? ReadStatus::NotFound : ReadStatus::Failed, error, {}};
    }
    ReadResult result{ReadStatus::Read, {}, {}};
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        result.status = ReadStatus::NotFound;
    } else {
        if (GetFileSizeEx(file, &size)) {
            result.bytes.reserve(std::min(limit, static_cast<std::size_t>(size.QuadPart)));
        }
        if (!readUpTo(file, result.bytes, limit)) {
            result = {ReadStatus::Failed, lastError(), {}};
        }
    }
    CloseHandle(file);
    return result;
}

SystemError flushFile(FileHandle file) {
    return FlushFileBuffers(file) ? SystemError{} : lastError();
}

SystemError writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         Likeness likeness, SystemError (*flush)(FileHandle)) {
    const DWORD kept = likeness.like != nullptr ? likeness.like->permissions & keptAttributes : 0;
    const DWORD attributes = kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
    HANDLE file = CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return namingError(path);
    }
    SystemError error = fill(file, bytes, likeness, flush);
    if (!CloseHandle(file) && !error) {
        error = lastError();
    }
    if (error) {
        removeFile(path);
    }
    return error;
}

SystemError hardLink(const std::filesystem::path& existing, const std::filesystem::path& second) {
    return CreateHardLinkW(systemPath(second).c_str(), systemPath(existing).c_str(), nullptr)
               ? SystemError{}
               : namingError(second);
}

// The rename written through to the disk stands in for flushing the folder, which Windows
// has no call for. A read-only file in the way is replaced all the same: its attribute
// is taken off for the step and put back where the step fails.
SystemError replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    const std::wstring target = systemPath(to);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {Failure::NameTaken, ERROR_ALREADY_EXISTS};
    }
    const bool readOnly =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) {
        SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    const bool moved = retried([&] {
        return MoveFileExW(systemPath(from).c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
    if (moved) {
        return {};
    }
    const DWORD code = GetLastError();
    SystemError error = namingError(to);
    if (readOnly) {
        SetFileAttributesW(target.c_str(), attributes);
    }
    if (code == ERROR_ACCESS_DENIED && heldOpen(to)) {
        error = {Failure::HeldOpen, static_cast<long>(code)};
    }
    return error;
}

SystemError renameToNewName(const std::filesystem::path& from, const std::filesystem::path& to) {
    const bool moved = retried([&] {
        return MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(),
                           MOVEFILE_WRITE_THROUGH) != 0;
    });
    return moved ? SystemError{} : namingError(to);
}

namespace {

// Deletes with POSIX semantics where the volume has them (NTFS since Windows 10 1709): the
// name goes at once, though another handle shares the deletion. Elsewhere (FAT, exFAT, SMB)
// the classic deletion leaves the name "delete pending" until that handle is closed.
bool deleteName(const std::wstring& name) {
    HANDLE file =
        CreateFileW(name.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    constexpr DWORD deleteNow = 0x1, posixSemantics = 0x2; // FILE_DISPOSITION_FLAG_*
    constexpr auto dispositionEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
    DWORD flags = deleteNow | posixSemantics;
    FILE_DISPOSITION_INFO classic{TRUE};
    const bool deleted =
        SetFileInformationByHandle(file, dispositionEx, &flags, sizeof flags) ||
        SetFileInformationByHandle(file, FileDispositionInfo, &classic, sizeof classic);
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return deleted;
}

// A deleted name that another handle keeps pending is waited for as a brief hold; one that
// stays is the other program's doing.
SystemError nameFreed(const std::wstring& name) {
    const bool freed = retried([&] {
        if (nameStateAt(name) == NameState::Free) {
            return true;
        }
        SetLastError(ERROR_SHARING_VIOLATION);
        return false;
    });
    return freed ? SystemError{} : SystemError{Failure::InUse, ERROR_DELETE_PENDING};
}

} // namespace

// A read-only name cannot go. The attribute is the file's, shared by all its names, so only
// it is taken off, and it comes back where the file stays.
SystemError removeFile(const std::filesystem::path& path) {
    const std::wstring name = systemPath(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        return nameStateAfter(code) == NameState::Free ? SystemError{} : nameFreed(name);
    }
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    const DWORD writable = attributes & settableAttributes & ~FILE_ATTRIBUTE_READONLY;
    if (readOnly) {
        SetFileAttributesW(name.c_str(), writable != 0 ? writable : FILE_ATTRIBUTE_NORMAL);
    }
    if (retried([&] { return deleteName(name); })) {
        return nameFreed(name);
    }
    const SystemError error = namingError(path);
    if (readOnly) {
        SetFileAttributesW(name.c_str(), attributes & settableAttributes);
    }
    return error;
}

// Any other program's open handle on the file, as a game holds its savegame, makes the
// replacement fail, even where it shares everything; better to know before a backup.
// Sharing nothing, the check is refused by every such handle; one that would share the
// deletion tells a program that merely has the file open from one that keeps it.
SystemError checkReplaceable(const std::filesystem::path& path) {
    const bool free =
        retried([&] { return opens(path, 0) || GetLastError() != ERROR_SHARING_VIOLATION; });
    if (free) {
        return {};
    }
    const DWORD code = GetLastError();
    if (opens(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) {
        return {Failure::HeldOpen, static_cast<long>(code)};
    }
    return fromNative(static_cast<long>(code));
}

void restoreLikeness(const std::filesystem::path& path, const FileStatus& like, bool copy) {
    const DWORD kept =
        copy ? like.permissions & (keptAttributes | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)
             : like.permissions;
    SetFileAttributesW(systemPath(path).c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
}

std::optional<std::string> holderOf(const std::filesystem::path& path) {
    const auto processes = holders(systemPath(path));
    const auto* chosen = chosenHolder(processes, GetCurrentProcessId(), startTimeOf);
    const std::wstring name = chosen != nullptr ? programName(*chosen) : L"";
    return name.empty() ? std::nullopt : std::optional(pathText(name));
}

void exposePlaceholders() {
    constexpr char exposePlaceholders = 2; // PHCM_EXPOSE_PLACEHOLDERS
    if (const auto expose = functionOf<char(char)>(GetModuleHandleW(L"ntdll.dll"),
                                                   "RtlSetProcessPlaceholderCompatibilityMode")) {
        expose(exposePlaceholders);
    }
}

FolderLock::~FolderLock() {
    if (lockFile_ != INVALID_HANDLE_VALUE) {
        CloseHandle(lockFile_);
    }
}

// A lock file that no other handle may share, gone again when it is closed.
SystemError FolderLock::lock(const std::filesystem::path& folder, std::chrono::milliseconds wait) {
    const std::filesystem::path path = folder / lockFileName;
    const std::wstring name = systemPath(path);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    bool refused = false;
    while (true) {
        lockFile_ = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (lockFile_ != INVALID_HANDLE_VALUE) {
            return {};
        }
        const DWORD error = GetLastError();
        // Access is denied while the last holder's file is being deleted, which denies a
        // look at it too, and also by a folder, or a lock file left in it, that refuses
        // writes: denied twice in a row where the name can be looked at, it is that.
        if (error == ERROR_ACCESS_DENIED && !beingDeleted(name)) {
            if (std::exchange(refused, true)) {
                SetLastError(error);
                return namingError(path);
            }
            std::this_thread::sleep_for(lockPollInterval);
            continue;
        }
        refused = false;
        if (!isBriefHold(error)) {
            SetLastError(error);
            return namingError(path);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return {Failure::Busy, static_cast<long>(error)};
        }
        std::this_thread::sleep_for(lockPollInterval);
    }
}

SystemError FolderLock::flush(SystemError (*)(FileHandle)) const {
    return {};
}

std::filesystem::path programFolder() {
    std::wstring name(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

} // namespace garagon::platform

namespace garagon {

// The system's conversion, unlike libstdc++'s, takes any name.
std::string pathText(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) {
        return {};
    }
    const int wideSize = static_cast<int>(wide.size());
    std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, text.data(),
                        static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

} // namespace garagon
