#pragma once

#include "test_folder.hpp"

#include <cstdlib>
#include <string>
#include <sys/vfs.h>
#include <unistd.h>

namespace garagon::test {

// A FAT file system, mounted in user space for as long as the object lives: hard links
// fail there with EPERM, as on a USB stick. missing() says why it could not be mounted.
class FatMount {
  public:
    FatMount() {
        if (::access("/dev/fuse", R_OK | W_OK) != 0) {
            missing_ = "/dev/fuse is missing";
            return;
        }
        std::filesystem::create_directory(path());
        const std::string image = folder_.file("fat.img");
        const std::string mount = "mkfs.vfat -C " + image + " 16384 >/dev/null 2>&1 && " +
                                  "fusefat -o rw+ " + image + " " + path().string() +
                                  " >/dev/null 2>&1";
        struct statfs info {};
        constexpr long fuseMagic = 0x65735546;
        if (std::system(mount.c_str()) != 0 || ::statfs(path().c_str(), &info) != 0 ||
            info.f_type != fuseMagic) {
            missing_ = "mkfs.vfat or fusefat failed (packages dosfstools and fusefat)";
        }
    }
    ~FatMount() {
        if (missing_.empty()) {
            std::system(("fusermount -u " + path().string()).c_str());
        }
    }
    FatMount(const FatMount&) = delete;
    FatMount& operator=(const FatMount&) = delete;

    std::filesystem::path path() const { return folder_.path() / "fat"; }
    const std::string& missing() const { return missing_; }

  private:
    TestFolder folder_;
    std::string missing_;
};

} // namespace garagon::test
