#include "interrupted_saves.hpp"

#include "backup_name.hpp"
#include "path_text.hpp"
#include "savegame.hpp"

#include <algorithm>
#include <vector>

namespace garagon {
namespace {

using platform::FolderFile;
using platform::SystemError;
using std::filesystem::path;

// The savegame itself or one of its backups.
bool belongsTo(const path& name, const path& savegame) {
    const auto parts = backupNameParts(name.native());
    return platform::sameName(name.native(), savegame.native()) ||
           (parts && platform::sameName(parts->savegame, savegame.native()));
}

// The bytes are a whole savegame in the folder already: the savegame or one of its
// backups where the savegame is known, any savegame or backup where it is not. A file
// whose bytes are online only is not downloaded for it.
bool keptAlready(const Bytes& version, const path& folder, const std::vector<FolderFile>& files,
                 const std::optional<path>& savegame) {
    for (const auto& file : files) {
        const std::string name = pathText(file.name);
        if (file.size != SavegameSize || file.onlyInCloud || isTemporaryName(name) ||
            (savegame && !belongsTo(file.name, *savegame))) {
            continue;
        }
        const auto content = platform::readFile(folder / file.name, SavegameSize);
        if (content.status == platform::ReadStatus::Read && content.bytes == version) {
            return true;
        }
    }
    return false;
}

// Under the savegame's next free backup name.
SystemError placeAsBackup(const path& temporary, const path& savegame, const SaveSystemCalls& sys) {
    unsigned long number = 1;
    path backup;
    return takeBackupName(savegame, sys.nameState, number, backup,
                          [&](const path& name) { return sys.renameToNew(temporary, name); });
}

// Places a whole version, or removes it where its bytes are kept already; false where it
// stays as it is.
bool recover(const SaveFolder& folder, const std::vector<FolderFile>& files, const path& temporary,
             const SaveSystemCalls& sys) {
    const auto content = platform::readFile(temporary, SavegameSize + 1);
    if (content.status != platform::ReadStatus::Read || content.bytes.size() != SavegameSize) {
        return false; // never removed unread
    }
    const auto savegame = recordedSavegame(temporary);
    const path target = savegame ? folder.path() / *savegame : path();
    if (savegame && sys.nameState(target) == platform::NameState::Free &&
        !sys.renameToNew(temporary, target)) {
        return true;
    }
    if (keptAlready(content.bytes, folder.path(), files, savegame)) {
        return !platform::removeFile(temporary);
    }
    if (savegame && !placeAsBackup(temporary, target, sys)) {
        return true;
    }
    return !sys.renameToNew(temporary, rescueName(temporary));
}

bool listed(const std::vector<FolderFile>& files, const path& name) {
    return std::ranges::any_of(files, [&](const auto& file) { return file.name == name; });
}

} // namespace

void recoverInterruptedSaves(const SaveFolder& folder, const SaveSystemCalls& sys) {
    const auto files = platform::listFiles(folder.path());
    for (const auto& file : files) {
        const std::string name = pathText(file.name);
        const path found = folder.path() / file.name;
        if (isRecordName(name)) {
            if (!listed(files, temporaryOf(name))) {
                platform::removeFile(found);
            }
            continue;
        }
        if (!isTemporaryName(name)) {
            continue;
        }
        // A file that is no whole version holds nothing that is not elsewhere.
        const bool gone = file.size == SavegameSize ? recover(folder, files, found, sys)
                                                    : !platform::removeFile(found);
        if (gone) {
            platform::removeFile(recordOf(found));
        }
    }
}

} // namespace garagon
