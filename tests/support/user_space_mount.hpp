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
// mounts a volume that Windows left hibernated. Or a folder of an SFTP server through
// sshfs, the server with or without its POSIX rename: without it, a rename onto a name that
// exists is refused with EPERM. missing() says why it could not be mounted.
class UserSpaceMount {
  public:
    enum class Kind { Fat, Ntfs, NtfsReadOnly, Sftp, SftpWithoutPosixRename };

    explicit UserSpaceMount(Kind kind) : sftp_(kind >= Kind::Sftp) {
        if (::access("/dev/fuse", R_OK | W_OK) != 0) {
            missing_ = "/dev/fuse is missing";
            return;
        }
        std::filesystem::create_directory(path());
        const std::string image = folder_.file("volume.img");
        if (std::system(mountCommand(kind, image).c_str()) != 0 || !mounted()) {
            missing_ = kind == Kind::Fat    ? "mkfs.vfat or fusefat failed (dosfstools, fusefat)"
                       : kind >= Kind::Sftp ? "sshfs failed (sshfs, socat, openssh-sftp-server)"
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
    // Where a file's inode tells it from others: sshfs numbers names, so that two names of
    // one file show two inodes there, and the served folder is asked instead.
    std::filesystem::path inodesFolder() const { return sftp_ ? served() : path(); }

  private:
    std::filesystem::path served() const { return folder_.path() / "served"; }

    // sshfs mounts in the background, and ends when it is unmounted.
    bool mounted() const {
        constexpr long fuseMagic = 0x65735546;
        for (int tries = 0; tries < 100; ++tries) {
            struct statfs info {};
            if (::statfs(path().c_str(), &info) == 0 && info.f_type == fuseMagic) {
                return true;
            }
            ::usleep(100'000);
        }
        return false;
    }
    std::string mountCommand(Kind kind, const std::string& image) const {
        switch (kind) {
        case Kind::Fat:
            return fatMount(image);
        case Kind::Sftp:
        case Kind::SftpWithoutPosixRename:
            return sftpMount(kind);
        default:
            return ntfsMount(image, kind);
        }
    }
    // OpenSSH's server talks to sshfs through a pipe: no daemon and no port.
    std::string sftpMount(Kind kind) const {
        std::filesystem::create_directory(served());
        const std::string denied = kind == Kind::SftpWithoutPosixRename ? " -P posix-rename" : "";
        return "test -x /usr/lib/openssh/sftp-server && command -v sshfs >/dev/null && "
               "(socat 'EXEC:sshfs -o passive x\\:" +
               served().string() + " " + path().string() + "' 'EXEC:/usr/lib/openssh/sftp-server" +
               denied + "' >/dev/null 2>&1 &)";
    }
    std::string fatMount(const std::string& image) const {
        // FAT32 of 64 MB: its root folder has no limit of 512 entries, and a loaded machine
        // lets the random kills miss often, each miss a save with a backup of its own.
        return "mkfs.vfat -F 32 -C " + image + " 65536 >/dev/null 2>&1 && fusefat -o rw+ " + image +
               " " + path().string() + " >/dev/null 2>&1";
    }
    std::string ntfsMount(const std::string& image, Kind kind) const {
        return "truncate -s 64M " + image + " && mkntfs -F -Q -q " + image +
               " >/dev/null 2>&1 && ntfs-3g " + (kind == Kind::NtfsReadOnly ? "-o ro " : "") +
               image + " " + path().string() + " >/dev/null 2>&1";
    }

    bool sftp_;
    TestFolder folder_;
    std::string missing_;
};

} // namespace garagon::test
