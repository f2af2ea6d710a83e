#include "backups.hpp"

#include "backup_name.hpp"
#include "file_system.hpp"
#include "local_time.hpp"
#include "savegame.hpp"
#include "saving.hpp"

#include <algorithm>
#include <map>

namespace garagon {
namespace {

constexpr std::size_t recordLength = 12;
constexpr std::size_t codeOffset = 3;

using Name = std::filesystem::path::string_type;

// N of a name p.~N; 0 for any other name. p is compared as the system compares names.
unsigned long backupNumber(const Name& name, const Name& savegameName) {
    const auto parts = backupNameParts(name);
    return parts && platform::sameName(parts->savegame, savegameName) ? parts->number : 0;
}

// The first catalogue car of each record of the category, by position.
std::map<std::size_t, std::size_t> carsByStart(std::span<const std::uint8_t> data,
                                               const CodeIndex& index, Category category) {
    std::map<std::size_t, std::size_t> cars;
    for (const RecordMatch& record : findRecords(data, index, category).distinctRecords()) {
        cars.emplace(record.recordStart, record.car);
    }
    return cars;
}

std::size_t carAt(const std::map<std::size_t, std::size_t>& cars, std::size_t start) {
    const auto found = cars.find(start);
    return found != cars.end() ? found->second : CarChange::none;
}

} // namespace

std::vector<Backup> findBackups(const std::filesystem::path& chosen) {
    const auto savegame = realSavegame(chosen);
    const Name name = savegame.filename().native();
    std::vector<Backup> backups;
    for (const auto& file : platform::listFiles(savegameFolder(savegame))) {
        if (const auto number = backupNumber(file.name.native(), name)) {
            const bool told = file.modified && platform::localTime(*file.modified);
            backups.push_back({savegame.parent_path() / file.name, number, file.size,
                               told ? file.modified : std::nullopt, file.onlyInCloud});
        }
    }
    // No time counts as older than any.
    std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
        return a.modified != b.modified ? a.modified > b.modified : a.number > b.number;
    });
    return backups;
}

BackupComparison compareWithBackup(std::span<const std::uint8_t> savegame,
                                   std::span<const std::uint8_t> backup, const CodeIndex& index) {
    BackupComparison result;
    if (backup.size() != SavegameSize || savegame.size() != SavegameSize) {
        return result;
    }
    if (std::equal(savegame.begin(), savegame.end(), backup.begin())) {
        result.kind = BackupComparison::Kind::Same;
        return result;
    }
    result.kind = BackupComparison::Kind::Different;
    std::vector<bool> ofAChangedRecord(SavegameSize, false);
    for (const Category category : {Category::Shop, Category::Career, Category::Own}) {
        const auto now = carsByStart(savegame, index, category);
        const auto then = carsByStart(backup, index, category);
        auto starts = then;
        starts.insert(now.begin(), now.end());
        for (const auto& entry : starts) {
            const std::size_t start = entry.first;
            const CarChange change{category, start + codeOffset + 1, carAt(now, start),
                                   carAt(then, start)};
            if (change.inSavegame != change.inBackup) {
                result.cars.push_back(change);
                std::fill_n(ofAChangedRecord.begin() + static_cast<std::ptrdiff_t>(start),
                            recordLength, true);
            }
        }
    }
    for (std::size_t at = 0; at < SavegameSize; ++at) {
        result.otherBytes += savegame[at] != backup[at] && !ofAChangedRecord[at] ? 1 : 0;
    }
    return result;
}

} // namespace garagon
