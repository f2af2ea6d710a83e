#pragma once

#include "test_folder.hpp"

#include <cstdlib>
#include <string>
#include <sys/vfs.h>
#include <unistd.h>

namespace garagon::test {

// A file system of another system's kind on an image, mounted in user space for as long as
// the object lives: FAT (no hard links, as on a USB stick; Debian 13's driver also refuses
// to rename onto a name that exists) or NTFS through ntfs-3g, also read-only, as Linux
// mounts a volume that Windows left hibernated. missing() says why it could not be mounted.
class UserSpaceMount {
  public:
    enum class Kind { Fat, Ntfs, NtfsReadOnly };

    explicit UserSpaceMount(Kind kind) {
        if (::access("/dev/fuse", R_OK | W_OK) != 0) {
            missing_ = "/dev/fuse is missing";
            return;
        }
        std::filesystem::create_directory(path());
        const std::string image = folder_.file("volume.img");
        const std::string mount = kind == Kind::Fat ? fatMount(image) : ntfsMount(image, kind);
        struct statfs info {};
        constexpr long fuseMagic = 0x65735546;
        if (std::system(mount.c_str()) != 0 || ::statfs(path().c_str(), &info) != 0 ||
            info.f_type != fuseMagic) {
            missing_ = kind == Kind::Fat ? "mkfs.vfat or fusefat failed (dosfstools, fusefat)"
                                         : "mkntfs or ntfs-3g failed (package ntfs-3g)";
        }
    }
    ~UserSpaceMount() {
        if (missing_.empty()) {
            const std::string folder = path().string();
            std::system(
                ("fusermount3 -u " + folder + " 2>/dev/null || fusermount -u " + folder).c_str());
        }
    }
    UserSpaceMount(const UserSpaceMount&) = delete;
    UserSpaceMount& operator=(const UserSpaceMount&) = delete;

    std::filesystem::path path() const { return folder_.path() / "volume"; }
    const std::string& missing() const { return missing_; }

  private:
    std::string fatMount(const std::string& image) const {
        return "mkfs.vfat -C " + image + " 16384 >/dev/null 2>&1 && fusefat -o rw+ " + image + " " +
               path().string() + " >/dev/null 2>&1";
    }
    std::string ntfsMount(const std::string& image, Kind kind) const {
        return "truncate -s 64M " + image + " && mkntfs -F -Q -q " + image +
               " >/dev/null 2>&1 && ntfs-3g " + (kind == Kind::NtfsReadOnly ? "-o ro " : "") +
               image + " " + path().string() + " >/dev/null 2>&1";
    }

    TestFolder folder_;
    std::string missing_;
};

} // namespace garagon::test
