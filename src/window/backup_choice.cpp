#include "backup_choice.hpp"

#include "loading.hpp"
#include "local_time.hpp"
#include "path_text.hpp"
#include "savegame.hpp"
#include "text_fields.hpp"
#include "texts.hpp"
#include "windows1252.hpp"

#include <cstdio>

namespace garagon {
namespace {

// The cars of more changes than this are left out of a row: it stays readable.
constexpr std::size_t carsNamed = 3;

std::string timeText(std::optional<std::chrono::system_clock::time_point> moment) {
    const auto parts = moment ? platform::localTime(*moment) : std::nullopt;
    if (!parts) {
        return texts::BackupTimeUnknown;
    }
    char text[80];
    std::snprintf(text, sizeof text, texts::BackupTimeFormat, parts->tm_mday, parts->tm_mon + 1,
                  parts->tm_year + 1900, parts->tm_hour, parts->tm_min);
    return text;
}

std::string categoryName(Category category) {
    switch (category) {
    case Category::Shop:
        return texts::CategoryNames[0];
    case Category::Career:
        return texts::CategoryNames[1];
    case Category::Own:
        return texts::CategoryNames[2];
    }
    return {};
}

std::string bytesText(std::size_t count, bool besideCars) {
    if (count == 1) {
        return besideCars ? texts::OneOtherByte : texts::OneByteChanged;
    }
    return replaced(besideCars ? texts::OtherBytes : texts::BytesChanged, "{count}",
                    grouped(count));
}

} // namespace

BackupChoice::BackupChoice(const std::filesystem::path& savegame, std::vector<Backup> backups,
                           bool unsavedChanges, const CodeIndex& index,
                           std::span<const WagenEintrag> cars)
    : title_(replaced(texts::BackupsTitle, "{name}", pathText(savegame.filename()))),
      warning_(unsavedChanges ? texts::UnsavedWarning : ""), backups_(std::move(backups)),
      onDisk_(loadSavegame(savegame).data), index_(index), cars_(cars),
      differences_(backups_.size()) {}

std::string BackupChoice::cellText(std::size_t row, int column) const {
    const Backup& backup = backups_[row];
    switch (column) {
    case 0:
        return pathText(backup.path.filename());
    case 1:
        return timeText(backup.modified);
    default:
        if (!differences_[row]) {
            differences_[row] = difference(backup);
        }
        return *differences_[row];
    }
}

std::string BackupChoice::difference(const Backup& backup) const {
    if (backup.onlyInCloud) {
        return texts::BackupInCloud; // not read: that would download every row on screen
    }
    if (backup.size != SavegameSize) {
        return texts::BackupNotASavegame;
    }
    const LoadResult loaded = loadSavegame(backup.path);
    if (loaded.status != LoadStatus::Loaded) {
        return loaded.status == LoadStatus::NotASavegame ? texts::BackupNotASavegame
                                                         : texts::BackupUnreadable;
    }
    if (onDisk_.empty()) {
        return texts::BackupIncomparable;
    }
    const BackupComparison comparison = compareWithBackup(onDisk_, loaded.data, index_);
    if (comparison.kind == BackupComparison::Kind::Same) {
        return texts::BackupSame;
    }
    std::string text;
    if (!comparison.cars.empty()) {
        text = replaced(texts::CarsChanged, "{count}", grouped(comparison.cars.size()));
        for (std::size_t i = 0; i < comparison.cars.size() && i < carsNamed; ++i) {
            text += (i > 0 ? ", " : "") + carChange(comparison.cars[i]);
        }
        text += comparison.cars.size() > carsNamed ? ", …" : "";
    }
    if (comparison.otherBytes > 0) {
        text += (text.empty() ? "" : "; ") + bytesText(comparison.otherBytes, !text.empty());
    }
    return text;
}

std::string BackupChoice::carChange(const CarChange& change) const {
    return categoryName(change.category) + " " + carName(change.inSavegame) + " → " +
           carName(change.inBackup);
}

std::string BackupChoice::carName(std::size_t car) const {
    return car == CarChange::none ? texts::UnknownCar : windows1252ToUtf8(cars_[car].Name);
}

} // namespace garagon
