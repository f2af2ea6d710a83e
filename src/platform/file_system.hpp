#pragma once

#include "bytes.hpp"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The few file-system operations that loading and saving need, one implementation for
// POSIX and one for Win32. Paths are std::filesystem::path throughout: bytes on Linux,
// UTF-16 on Windows, never shortened.
namespace garagon::platform {

// What kind of failure a system error is; the system's own number stays for the message.
enum class Failure {
    None,
    NoSpace,
    TooLarge,
    NoPermission,
    ReadOnlyMedium,
    NameTooLong,
    NotFound,
    NameTaken,
    Busy,     // another save held the folder for longer than a save waits
    InUse,    // another program holds the file open
    HeldOpen, // another program has the savegame open, which keeps Windows from replacing it
    IO,
    Protected, // Windows' ransomware protection keeps this program from writing there
    InCloud,   // the file's bytes are kept by a cloud service that cannot give them now
    Other,
};

struct SystemError {
    Failure kind = Failure::None;
    long code = 0; // errno or GetLastError()
    explicit operator bool() const { return kind != Failure::None; }
};

// The system's error number as a failure.
SystemError fromNative(long code);

// What a new file takes over from the file it stands in for: the permission bits (POSIX)
// or the attributes (Win32), and for a copy also the times.
struct FileStatus {
    std::uint64_t size = 0;
    std::uint32_t permissions = 0;
    std::int64_t accessed = 0;
    std::int64_t modified = 0;
};

// The file's status when a file is at the path, whatever its attributes: normal,
// read-only, hidden or system. Folders, devices, pipes and sockets are no files. Only
// looks at the name, so it never blocks.
std::optional<FileStatus> existingFile(const std::filesystem::path& path);

// What a look at a name tells: anything at all has it (a file, a folder, a link, even
// one to nothing, a file being deleted), nothing has it, or the look failed for another
// reason (a name the volume cannot hold, a share that went away), which only the step
// that takes the name can tell.
enum class NameState { Free, Taken, Unknown };
NameState nameState(const std::filesystem::path& path);

bool isFolder(const std::filesystem::path& path);

// Where a symbolic link at the path leads in the end; the path itself for anything else.
std::filesystem::path linkTarget(const std::filesystem::path& path);

// The one name of a file that Windows knows by several: its long name (not SPIELS~1.SAV),
// with links followed, without the prefix that lifts the length limit. Elsewhere the path
// as it is.
std::filesystem::path canonicalName(const std::filesystem::path& path);

// Two names in one folder name the same file: regardless of case on Windows, as it
// compares names, and byte for byte elsewhere. Compared in their native form.
bool sameName(const std::filesystem::path::string_type& a,
              const std::filesystem::path::string_type& b);

// The folder lies on a volume of Windows' own file system (NTFS), as Linux mounts one with
// its kernel driver or with ntfs-3g: read-only, that is most likely a volume that Windows
// left hibernated. Never on Windows itself.
bool onWindowsVolume(const std::filesystem::path& folder);

// A file that the document portal hands to a program in a sandbox, recognised by the file
// system that it lies on. The only name that the program may make there is the file's own:
// any other is a hidden file on the host that goes with the portal.
struct PortalDocument {
    std::optional<std::filesystem::path> hostPath; // where the portal tells it (since 2024)
    bool inSandbox = false;                        // this program runs in a Flatpak sandbox
};
std::optional<PortalDocument> portalDocument(const std::filesystem::path& file);

// Where Windows keeps an old game's copy of a file in a folder that only administrators
// may write (Program Files, ProgramData, the Windows folder): the game, redirected,
// reads and writes that copy under %LOCALAPPDATA%\VirtualStore. Nothing where there is
// no such copy, and on other systems.
std::optional<std::filesystem::path> virtualStoreCopy(const std::filesystem::path& path);

// A plain file as a reading of its folder tells of it.
struct FolderFile {
    std::filesystem::path name; // without the folder
    std::uint64_t size = 0;
    std::optional<std::chrono::system_clock::time_point> modified; // none beyond the clock's range
    bool onlyInCloud = false; // its bytes are kept online: reading them downloads them first
};

// The plain files of a folder, from one reading of it, in no particular order: no name is
// looked up on its own. Empty when the folder cannot be read.
std::vector<FolderFile> listFiles(const std::filesystem::path& folder);

enum class ReadStatus { Read, NotFound, Failed };

struct ReadResult {
    ReadStatus status = ReadStatus::NotFound;
    SystemError error;
    Bytes bytes;
};

// Reads the file from its start, at most limit bytes; a file that is no file (any more)
// is not found. Never blocks on a pipe swapped in for the file.
ReadResult readFile(const std::filesystem::path& path, std::size_t limit);

// An open file, as the system identifies it.
#ifdef _WIN32
using FileHandle = void*;
#else
using FileHandle = int;
#endif

// Writes a file's data to the disk.
SystemError flushFile(FileHandle file);

// How a new file is made like the one it stands in for.
struct Likeness {
    const FileStatus* like = nullptr;
    bool times = false; // a copy keeps the times of its original
};

// Creates a file that is not there yet (NameTaken otherwise), writes the bytes, flushes
// them with flush and closes it. A file that could not be written whole is removed.
SystemError writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         Likeness likeness, SystemError (*flush)(FileHandle));

// Gives the file a second name; NameTaken where the name is taken.
SystemError hardLink(const std::filesystem::path& existing, const std::filesystem::path& second);

// Puts the file under the new name in one step, replacing a file there. A file that
// another program holds for a moment is waited for.
SystemError replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Puts the file under a name that nothing has yet; NameTaken, and nothing changed, where
// anything has it, whatever a check before said.
SystemError renameToNewName(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the file, so that its name is free; the reason where the name stays taken, as
// when another program holds the file without sharing its deletion, or keeps a handle
// that leaves it being deleted until that handle is closed.
SystemError removeFile(const std::filesystem::path& path);

// Fails with InUse when another program holds the file so that it cannot be replaced, and
// with HeldOpen when another program merely has it open, where that keeps it from being
// replaced.
SystemError checkReplaceable(const std::filesystem::path& path);

// Gives the file again what it takes over from like, where replacing it took that away; a
// copy, which is whole on the disk, nothing of like's state in a cloud or as a temporary.
void restoreLikeness(const std::filesystem::path& path, const FileStatus& like, bool copy = false);

// The program that holds the file open, as "Tarvo (tarvo.exe)", where the system can
// tell; nothing elsewhere.
std::optional<std::string> holderOf(const std::filesystem::path& path);

// The exclusive lock that serialises the saves into one folder, from any process. It is
// held until this object goes, and dies with its process.
class FolderLock {
  public:
    FolderLock() = default;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    // Waits at most the given time; Busy when another save held it all along.
    SystemError lock(const std::filesystem::path& folder, std::chrono::milliseconds wait);

    // Writes the folder's entries to the disk, where the system has such a step. Where the
    // folder cannot be opened to be flushed, its whole file system is, through the lock
    // file; never skipped.
    SystemError flush(SystemError (*flush)(FileHandle)) const;

  private:
#ifdef _WIN32
    FileHandle lockFile_ = reinterpret_cast<FileHandle>(-1);
#else
    FileHandle folder_ = -1;   // open for reading and locked, where it can be read
    FileHandle lockFile_ = -1; // locked instead where the folder cannot be read
#endif
};

#ifdef _WIN32
// Lets this process see cloud placeholders as what they are, where Windows would disguise
// them as plain files.
void exposePlaceholders();
#endif

// The folder of the running program's executable.
std::filesystem::path programFolder();

} // namespace garagon::platform
