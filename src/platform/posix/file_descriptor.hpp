#pragma once

#include <unistd.h>

#include <utility>

namespace garagon {

// Owns a POSIX file descriptor and closes it once.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        close();
        fd_ = std::exchange(other.fd_, -1);
        return *this;
    }
    ~FileDescriptor() { close(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now so that a failing close can be seen.
    int close() { return fd_ >= 0 ? ::close(std::exchange(fd_, -1)) : 0; }

  private:
    int fd_;
};

} // namespace garagon
