#pragma once

#include "bytes.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace garagon::test {

// A fresh folder below the system's temporary folder, removed with everything in it.
class TestFolder {
  public:
    TestFolder() {
        std::random_device random;
        do {
            path_ =
                std::filesystem::temp_directory_path() / ("garagon-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    // Read-only files and folders that may not be listed go too.
    ~TestFolder() {
        std::error_code error;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        for (std::filesystem::recursive_directory_iterator entry(path_, error), end;
             !error && entry != end; entry.increment(error)) {
            if (!entry->is_symlink(error)) {
                std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, error);
            }
        }
        std::filesystem::remove_all(path_, error);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline void writeFile(const std::filesystem::path& path, std::string_view content) {
    std::ofstream(path, std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
}

inline void writeFile(const std::filesystem::path& path, const Bytes& content) {
    writeFile(path,
              std::string_view(reinterpret_cast<const char*>(content.data()), content.size()));
}

inline Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A savegame-sized buffer whose bytes differ from one another, seeded so that two
// savegames made with different seeds differ everywhere.
inline Bytes patternedSavegame(std::uint8_t seed, std::size_t size = 63596) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<std::uint8_t>(i * 7 + seed);
    }
    return data;
}

// Writes a car record "00 00 00 <code> <category>" at the 0-based offset.
inline void placeRecord(Bytes& data, std::size_t offset, const Bytes& code, std::uint8_t category) {
    data[offset] = data[offset + 1] = data[offset + 2] = 0;
    std::copy(code.begin(), code.end(), data.begin() + static_cast<std::ptrdiff_t>(offset + 3));
    data[offset + 3 + code.size()] = category;
}

} // namespace garagon::test
