#include "backup_name.hpp"

#include <algorithm>
#include <string>

namespace garagon {

std::filesystem::path backupName(const std::filesystem::path& savegame, unsigned long number) {
    std::filesystem::path name = savegame;
    name += ".~" + std::to_string(number);
    return name;
}

std::optional<BackupNameParts> backupNameParts(const std::filesystem::path::string_type& name) {
    using Name = std::filesystem::path::string_type;
    const std::size_t marker = name.rfind(Name::value_type('~'));
    if (marker == Name::npos || marker < 2 || name[marker - 1] != '.') {
        return std::nullopt;
    }
    const Name digits = name.substr(marker + 1);
    if (digits.empty() || digits.size() > 9 || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](auto c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    unsigned long number = 0;
    for (const auto digit : digits) {
        number = number * 10 + static_cast<unsigned long>(digit - '0');
    }
    return BackupNameParts{name.substr(0, marker - 1), number};
}

} // namespace garagon
