#pragma once

#include "backups.hpp"
#include "bytes.hpp"
#include "catalogue_parser.hpp"
#include "code_index.hpp"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace garagon {

// What the dialog "Sicherungen von <name>" shows: one row per backup of the savegame,
// the newest first and marked, each with its name, the time of its last change and what
// it changes of the savegame on disk. A row is compared only when it is asked for, so
// that a folder of thousands of backups opens at once.
class BackupChoice {
  public:
    // The backups as findBackups gives them.
    BackupChoice(const std::filesystem::path& savegame, std::vector<Backup> backups,
                 bool unsavedChanges, const CodeIndex& index, std::span<const WagenEintrag> cars);

    const std::string& title() const { return title_; }
    // One line on what restoring would lose; empty when nothing would be lost.
    const std::string& warning() const { return warning_; }
    std::size_t rowCount() const { return backups_.size(); }
    std::size_t markedRow() const { return 0; }
    // "Wiederherstellen" restores only with a row marked; with none it does nothing and the
    // dialog stays open.
    bool restores(std::optional<std::size_t> marked) const {
        return marked && *marked < backups_.size();
    }
    // Columns 0 to 2: name, "07.12.2026 21:14", the difference; UTF-8.
    std::string cellText(std::size_t row, int column) const;
    const Backup& backup(std::size_t row) const { return backups_[row]; }

  private:
    std::string difference(const Backup& backup) const;
    std::string carChange(const CarChange& change) const;
    std::string carName(std::size_t car) const;

    std::string title_;
    std::string warning_;
    std::vector<Backup> backups_;
    Bytes onDisk_; // empty when the savegame on disk is no savegame
    const CodeIndex& index_;
    std::span<const WagenEintrag> cars_;
    mutable std::vector<std::optional<std::string>> differences_;
};

} // namespace garagon
