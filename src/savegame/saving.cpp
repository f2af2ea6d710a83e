#include "saving.hpp"

#include "backup_name.hpp"
#include "interrupted_saves.hpp"
#include "messages.hpp"
#include "path_text.hpp"
#include "save_folder.hpp"
#include "savegame.hpp"

#include <filesystem>
#include <optional>

namespace garagon {
namespace {

using messages::OldFile;
using messages::SaveStep;
using platform::FileStatus;
using platform::SystemError;
using std::filesystem::path;

struct Save {
    const path& savegame;
    std::span<const std::uint8_t> bytes;
    const SaveSystemCalls& sys;
    SaveFolder folder;
    const path* restoredBackup = nullptr; // the backup whose bytes these are, when restoring
};

SaveResult failure(const Save& save, SaveStep step, const std::string& why, OldFile old,
                   const path& movedTo = {}) {
    const std::string newAt = old == OldFile::BesideNew ? pathText(save.savegame) : "";
    const std::string text = save.restoredBackup != nullptr
                                 ? messages::notRestored(pathText(save.restoredBackup->filename()),
                                                         step, why, old, pathText(movedTo), newAt)
                                 : messages::notSaved(step, why, old, pathText(movedTo), newAt);
    return {false, messages::ErrorTitle, text, {}};
}

// The reason of a failure, with what the system can tell beyond it: the program that
// holds the savegame, or else the other file of the refused step while it is there, a
// Windows volume that Linux keeps read-only, and the copy that a game redirected by
// Windows uses instead.
std::string reasonFor(const Save& save, SystemError error, const path& otherFile = {}) {
    using platform::Failure;
    if (error.kind == Failure::InUse || error.kind == Failure::HeldOpen) {
        auto holder = save.sys.holder(save.savegame);
        if (!holder && !otherFile.empty()) {
            holder = save.sys.holder(otherFile);
        }
        if (holder) {
            return messages::heldBy(*holder);
        }
    }
    if (error.kind == Failure::ReadOnlyMedium && platform::onWindowsVolume(save.folder.path())) {
        return messages::WindowsVolumeReadOnly;
    }
    std::string why = messages::reason(error, save.folder.isGone());
    const bool refused = error.kind == Failure::NoPermission || error.kind == Failure::Protected;
    if (const auto copy = refused ? platform::virtualStoreCopy(save.savegame) : std::nullopt) {
        why += messages::gameUsesCopy(pathText(*copy));
    }
    return why;
}

SaveResult failure(const Save& save, SaveStep step, SystemError error, OldFile old,
                   const path& movedTo = {}) {
    return failure(save, step, reasonFor(save, error), old, movedTo);
}

SaveResult success(const Save& save, const path& backup) {
    if (save.restoredBackup != nullptr) {
        return {true, messages::RestoredTitle,
                messages::restored(pathText(save.restoredBackup->filename()), pathText(backup)),
                backup};
    }
    return {true, messages::SavedTitle, messages::saved(pathText(backup)), backup};
}

// Gives the old file the first free backup name from number on, by the given step.
template <class Step>
SystemError takeBackupName(const Save& save, unsigned long& number, path& backup, Step step) {
    return garagon::takeBackupName(save.savegame, save.sys.nameState, number, backup, step);
}

// Where the volume refuses a second name the old file is copied: a flushed copy under a
// temporary name that then takes the backup name, so the savegame's own name is never
// missing.
SystemError copyToBackup(const Save& save, const FileStatus& old, unsigned long number,
                         path& backup) {
    const auto content = platform::readFile(save.savegame, old.size);
    if (content.status != platform::ReadStatus::Read) {
        return content.error ? content.error : SystemError{platform::Failure::NotFound, 0};
    }
    path copy;
    if (const auto error =
            save.folder.writeTemporary(content.bytes, {&old, true}, save.sys.flush, copy)) {
        return error;
    }
    const SystemError error = takeBackupName(
        save, number, backup, [&](const path& name) { return save.sys.renameToNew(copy, name); });
    if (error) {
        platform::removeFile(copy);
    }
    return error;
}

struct MadeBackup {
    path name;               // empty where there was no old file
    bool secondName = false; // the old file's own second name, not a copy
};

// Gives the old file a second name path.~N, or else a copy of it; a name too long for
// the volume is too long for the copy too.
SystemError makeBackup(const Save& save, const FileStatus& old, MadeBackup& backup) {
    unsigned long number = 1;
    const SystemError error = takeBackupName(save, number, backup.name, [&](const path& name) {
        return save.sys.link(save.savegame, name);
    });
    backup.secondName = !error;
    const bool refused = error && error.kind != platform::Failure::NameTooLong &&
                         error.kind != platform::Failure::NameTaken;
    return refused ? copyToBackup(save, old, number, backup.name) : error;
}

// Where the file system refuses to replace a name (FAT in user space, SFTP without its
// POSIX rename), the savegame's name is freed and then taken by the new file. The old
// bytes stay under the backup's name, written to the disk first, and the new ones under
// the temporary name until they take the savegame's; where they cannot, the backup takes
// the name back. movedAway tells that the old bytes are under the backup's name alone.
SystemError replaceInTwoSteps(const Save& save, const path& temporary, const path& backup,
                              bool& movedAway) {
    if (const auto error = save.folder.flush(save.sys.flush)) {
        return error;
    }
    if (const auto error = save.sys.remove(save.savegame)) {
        // The name may stay while the file goes, as one being deleted does on Windows.
        movedAway = true;
        return error;
    }
    const SystemError error = save.sys.renameToNew(temporary, save.savegame);
    if (error) {
        movedAway = static_cast<bool>(save.sys.renameToNew(backup, save.savegame));
        save.folder.flush(save.sys.flush);
    }
    return error;
}

// A rename over the savegame refused because the name exists, as by FAT in user space, or
// without permission where a file may still take a new name, as SFTP reports a server's
// refusal.
bool refusesReplacing(const Save& save, SystemError placed) {
    using platform::Failure;
    return placed.kind == Failure::NameTaken ||
           (placed.kind == Failure::NoPermission &&
            save.folder.renamesToNewNames(save.sys.renameToNew));
}

// Puts the old file back under the savegame's name after the new one took it, by the same
// kind of steps that put the new one there.
OldFile putBack(const Save& save, const path& backup, bool twoSteps) {
    if (!twoSteps) {
        return platform::replaceFile(backup, save.savegame) ? OldFile::MovedAway
                                                            : OldFile::Unchanged;
    }
    if (save.sys.remove(save.savegame)) {
        return OldFile::BesideNew;
    }
    const bool back = !save.sys.renameToNew(backup, save.savegame);
    save.folder.flush(save.sys.flush);
    return back ? OldFile::Unchanged : OldFile::MovedAway;
}

void removeVersion(const path& temporary) {
    platform::removeFile(temporary);
    platform::removeFile(recordOf(temporary));
}

// The backup, if there was an old file, exists and the savegame's name still holds the
// old file: put the new one there. Without an old file the name is taken by a rename that
// replaces nothing; nothing is returned where a file took it meanwhile.
std::optional<SaveResult> replace(const Save& save, const MadeBackup& backup,
                                  const FileStatus* old) {
    const OldFile kept = old != nullptr ? OldFile::Unchanged : OldFile::None;
    // Removing a second name of the savegame takes its attributes on Windows: they are
    // the file's, and the name must be writable to go. A second name that stays is said.
    const auto dropBackup = [&] {
        if (backup.name.empty()) {
            return kept;
        }
        const bool removed = !save.sys.remove(backup.name);
        platform::restoreLikeness(save.savegame, *old);
        return removed || !backup.secondName ? kept : OldFile::SecondName;
    };
    path temporary;
    if (const auto error = save.folder.writeVersion(save.savegame, save.bytes, {old, false},
                                                    save.sys.flush, temporary)) {
        return failure(save, SaveStep::Write, error, dropBackup(), backup.name);
    }
    const auto rename = old != nullptr ? save.sys.rename : save.sys.renameToNew;
    SystemError placed = rename(temporary, save.savegame);
    bool movedAway = false;
    const bool twoSteps =
        old != nullptr && refusesReplacing(save, placed) && platform::existingFile(save.savegame);
    if (twoSteps) {
        placed = replaceInTwoSteps(save, temporary, backup.name, movedAway);
    }
    if (placed) {
        const std::string why = reasonFor(save, placed, temporary);
        removeVersion(temporary);
        if (old == nullptr && placed.kind == platform::Failure::NameTaken) {
            return std::nullopt;
        }
        return failure(save, SaveStep::Replace, why, movedAway ? OldFile::MovedAway : dropBackup(),
                       backup.name);
    }
    platform::removeFile(recordOf(temporary));
    if (const auto error = save.folder.flush(save.sys.flush)) {
        if (old == nullptr) {
            platform::removeFile(save.savegame);
            return failure(save, SaveStep::Flush, error, kept);
        }
        return failure(save, SaveStep::Flush, error, putBack(save, backup.name, twoSteps),
                       backup.name);
    }
    if (old != nullptr) {
        platform::restoreLikeness(backup.name, *old, !backup.secondName);
    }
    return success(save, backup.name);
}

SaveResult write(Save& save) {
    const path& savegame = save.savegame;
    const auto& sys = save.sys;
    const auto oldFile = [&] {
        return platform::existingFile(savegame) ? OldFile::Unchanged : OldFile::None;
    };
    // Before the lock, whose file would itself be one that only the sandbox sees.
    if (const auto document = platform::portalDocument(savegame)) {
        const auto folder = document->hostPath ? pathText(document->hostPath->parent_path()) : "";
        return failure(save, SaveStep::Portal, messages::throughPortal(folder, document->inSandbox),
                       oldFile());
    }
    if (const auto error = save.folder.lock(sys.lockWait)) {
        return failure(save, SaveStep::Lock, error, oldFile());
    }
    recoverInterruptedSaves(save.folder, sys);
    auto old = platform::existingFile(savegame);
    if (!old) {
        if (auto result = replace(save, {}, nullptr)) {
            return *result;
        }
        old = platform::existingFile(savegame); // taken meanwhile
    }
    if (!old) { // by a folder or the like
        return failure(save, SaveStep::Replace, {platform::Failure::NameTaken, 0}, OldFile::None);
    }
    if (const auto error = platform::checkReplaceable(savegame)) {
        return failure(save, SaveStep::Check, error, OldFile::Unchanged);
    }
    MadeBackup backup;
    if (const auto error = makeBackup(save, *old, backup)) {
        return failure(save, SaveStep::Backup, error, OldFile::Unchanged);
    }
    return *replace(save, backup, &*old);
}

} // namespace

path realSavegame(const path& chosen) {
    return platform::linkTarget(chosen);
}

path savegameFolder(const path& savegame) {
    const auto folder = savegame.parent_path();
    return folder.empty() ? path(".") : folder;
}

SaveResult saveSavegame(const path& chosen, std::span<const std::uint8_t> bytes,
                        const SaveSystemCalls& sys) {
    const path savegame = realSavegame(chosen);
    Save save{savegame, bytes, sys, SaveFolder(savegameFolder(savegame))};
    return write(save);
}

SaveResult restoreBackup(const path& chosen, const path& backup, const SaveSystemCalls& sys) {
    const path savegame = realSavegame(chosen);
    // One byte more than a savegame tells a file that is larger.
    const auto content = platform::readFile(backup, SavegameSize + 1);
    Save save{savegame, content.bytes, sys, SaveFolder(savegameFolder(savegame)), &backup};
    const OldFile old = platform::existingFile(savegame) ? OldFile::Unchanged : OldFile::None;
    switch (content.status) {
    case platform::ReadStatus::NotFound:
        return failure(save, SaveStep::ReadBackup, messages::BackupGone, old);
    case platform::ReadStatus::Failed:
        return failure(save, SaveStep::ReadBackup, messages::reason(content.error), old);
    case platform::ReadStatus::Read:
        break;
    }
    if (content.bytes.size() != SavegameSize) {
        return failure(save, SaveStep::ReadBackup, messages::BackupNotASavegame, old);
    }
    return write(save);
}

} // namespace garagon
