#include "save_folder.hpp"

#include "messages.hpp"
#include "path_text.hpp"

#include <algorithm>
#include <random>

namespace garagon {
namespace {

constexpr std::string_view temporaryPrefix = ".~garagon-";
constexpr std::string_view temporaryAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t temporarySuffixLength = 6;
constexpr std::string_view recordSuffix = ".name";
// A file name of the longest kind, in the system's own units.
constexpr std::size_t longestRecord = 1024;

std::string randomTemporaryName() {
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, temporaryAlphabet.size() - 1);
    std::string name(temporaryPrefix);
    for (std::size_t i = 0; i < temporarySuffixLength; ++i) {
        name += temporaryAlphabet[pick(random)];
    }
    return name;
}

// A file name in its native units as bytes, so that no name has to be converted.
using Native = std::filesystem::path::string_type;
std::span<const std::uint8_t> bytesOf(const Native& name) {
    return {reinterpret_cast<const std::uint8_t*>(name.data()),
            name.size() * sizeof(Native::value_type)};
}

} // namespace

bool isTemporaryName(std::string_view name) {
    return name.size() == temporaryPrefix.size() + temporarySuffixLength &&
           name.starts_with(temporaryPrefix) &&
           name.find_first_not_of(temporaryAlphabet, temporaryPrefix.size()) ==
               std::string_view::npos;
}

bool isRecordName(std::string_view name) {
    return name.ends_with(recordSuffix) &&
           isTemporaryName(name.substr(0, name.size() - recordSuffix.size()));
}

std::filesystem::path recordOf(const std::filesystem::path& temporary) {
    std::filesystem::path record = temporary;
    record += recordSuffix;
    return record;
}

std::filesystem::path rescueName(const std::filesystem::path& temporary) {
    const std::string name = pathText(temporary.filename());
    return temporary.parent_path() / (messages::RescuedVersionPrefix +
                                      name.substr(name.size() - temporarySuffixLength) + ".sav");
}

std::filesystem::path temporaryOf(std::string_view record) {
    return record.substr(0, record.size() - recordSuffix.size());
}

std::optional<std::filesystem::path> recordedSavegame(const std::filesystem::path& temporary) {
    const auto record = platform::readFile(recordOf(temporary), longestRecord);
    const auto& bytes = record.bytes;
    if (record.status != platform::ReadStatus::Read || bytes.empty() ||
        bytes.size() % sizeof(Native::value_type) != 0) {
        return std::nullopt;
    }
    Native name(bytes.size() / sizeof(Native::value_type), {});
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(name.data()));
    const std::filesystem::path savegame(name);
    // Only a plain name in this folder, whatever the record holds.
    if (savegame != savegame.filename() || savegame == "." || savegame == "..") {
        return std::nullopt;
    }
    return savegame;
}

bool SaveFolder::isGone() const {
    return !platform::isFolder(path_);
}

template <class Make>
platform::SystemError SaveFolder::underNewName(std::filesystem::path& name, Make make) const {
    while (true) {
        name = path_ / randomTemporaryName();
        const auto error = make(name);
        if (error.kind != platform::Failure::NameTaken) {
            return error;
        }
    }
}

platform::SystemError
SaveFolder::writeTemporary(std::span<const std::uint8_t> bytes, platform::Likeness likeness,
                           platform::SystemError (*flush)(platform::FileHandle),
                           std::filesystem::path& name) const {
    return underNewName(name, [&](const std::filesystem::path& temporary) {
        return platform::writeNewFile(temporary, bytes, likeness, flush);
    });
}

platform::SystemError SaveFolder::writeVersion(const std::filesystem::path& savegame,
                                               std::span<const std::uint8_t> bytes,
                                               platform::Likeness likeness,
                                               platform::SystemError (*flush)(platform::FileHandle),
                                               std::filesystem::path& name) const {
    return underNewName(name, [&](const std::filesystem::path& temporary) {
        const auto record = recordOf(temporary);
        auto error =
            platform::writeNewFile(record, bytesOf(savegame.filename().native()), {}, flush);
        if (!error && (error = platform::writeNewFile(temporary, bytes, likeness, flush))) {
            platform::removeFile(record);
        }
        return error;
    });
}

bool SaveFolder::renamesToNewNames(platform::SystemError (*renameToNew)(
    const std::filesystem::path&, const std::filesystem::path&)) const {
    std::filesystem::path probe;
    const auto noFlush = [](platform::FileHandle) { return platform::SystemError{}; };
    if (writeTemporary({}, {}, noFlush, probe)) {
        return false;
    }
    const auto renamed = path_ / randomTemporaryName();
    const bool works = !renameToNew(probe, renamed);
    platform::removeFile(works ? renamed : probe);
    return works;
}

} // namespace garagon
