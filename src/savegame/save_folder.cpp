#include "save_folder.hpp"

#include "backup_name.hpp"
#include "path_text.hpp"
#include "savegame.hpp"

#include <algorithm>
#include <optional>
#include <random>
#include <set>

namespace garagon {
namespace {

constexpr std::string_view temporaryPrefix = ".~garagon-";
constexpr std::string_view temporaryAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t temporarySuffixLength = 6;

std::string randomTemporaryName() {
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, temporaryAlphabet.size() - 1);
    std::string name(temporaryPrefix);
    for (std::size_t i = 0; i < temporarySuffixLength; ++i) {
        name += temporaryAlphabet[pick(random)];
    }
    return name;
}

} // namespace

bool isTemporaryName(std::string_view name) {
    return name.size() == temporaryPrefix.size() + temporarySuffixLength &&
           name.starts_with(temporaryPrefix) &&
           name.find_first_not_of(temporaryAlphabet, temporaryPrefix.size()) ==
               std::string_view::npos;
}

bool SaveFolder::isGone() const {
    return !platform::isFolder(path_);
}

// A backup whose savegame is missing: the sign of a save that was interrupted between
// freeing the savegame's name and giving it to the new version.
bool SaveFolder::savegameMissing(const std::vector<platform::FolderFile>& files) const {
    std::set<std::filesystem::path::string_type> savegames;
    for (const auto& file : files) {
        if (const auto parts = backupNameParts(file.name.native())) {
            savegames.insert(parts->savegame);
        }
    }
    return std::ranges::any_of(
        savegames, [&](const auto& savegame) { return !platform::existingFile(path_ / savegame); });
}

void SaveFolder::removeStaleTemporaries() const {
    const auto files = platform::listFiles(path_);
    // Such a save's new version lies whole under a temporary name, and is its only copy.
    // The savegames are looked at once, and only where a whole one is there.
    std::optional<bool> keepWhole;
    for (const auto& file : files) {
        if (!isTemporaryName(pathText(file.name))) {
            continue;
        }
        if (file.size == SavegameSize) {
            if (!keepWhole) {
                keepWhole = savegameMissing(files);
            }
            if (*keepWhole) {
                continue;
            }
        }
        platform::removeFile(path_ / file.name);
    }
}

platform::SystemError
SaveFolder::writeTemporary(std::span<const std::uint8_t> bytes, platform::Likeness likeness,
                           platform::SystemError (*flush)(platform::FileHandle),
                           std::filesystem::path& name) const {
    while (true) {
        name = path_ / randomTemporaryName();
        const auto error = platform::writeNewFile(name, bytes, likeness, flush);
        if (error.kind != platform::Failure::NameTaken) {
            return error;
        }
    }
}

} // namespace garagon
