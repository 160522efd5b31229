#include "platform/files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/files/data_path.h"
#include "platform/platform_state.h"
#include "platform/seams/seam_state.h"

RegularFile::RegularFile(const char* name, std::uint64_t maxBytes) : limit_(maxBytes) {
    if constexpr (platform_internal::kTestSeams) {
        const auto& observer = platform_internal::Seams().fileOpenObserver;
        if (observer && name != nullptr) observer(name);
    }
    const std::string resolved = data_path::Resolve(name);
    const char* path = name == nullptr ? nullptr : resolved.c_str();
    // Looked at before opening, so that a FIFO or a device is never opened at all; the open
    // itself does not block either, in case the name changes in between.
    struct stat before {};
    if (path == nullptr || ::stat(path, &before) != 0) {
        missing_ = path == nullptr || errno == ENOENT || errno == ENOTDIR;
        reason_ = "the file is missing or cannot be opened";
        return;
    }
    if (!S_ISREG(before.st_mode)) {
        reason_ = "not a regular file";
        return;
    }
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason_ = "the file is missing or cannot be opened";
        return;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        reason_ = "not a regular file";
        return;
    }
    if (static_cast<std::uint64_t>(opened.st_size) > maxBytes) {
        ::close(fd);
        reason_ = "the file is too large";
        return;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(opened.st_size);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::int64_t RegularFile::Read(void* buffer, std::size_t count) {
    if (fd_ < 0) return -1;
    // A file that grows while it is read still stops at the bound.
    if (position_ >= limit_) return 0;
    if (count > limit_ - position_) count = static_cast<std::size_t>(limit_ - position_);
    if constexpr (platform_internal::kTestSeams) {
        std::int64_t& failAt = platform_internal::Seams().faults.failFileReadAtByte;
        if (failAt >= 0 && position_ + count > static_cast<std::uint64_t>(failAt)) {
            failAt = -1;
            readFailed_ = true;
            reason_ = "the file could not be read";
            return -1;
        }
    }
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, count);
        if (got >= 0) {
            position_ += static_cast<std::uint64_t>(got);
            return got;
        }
        if (errno != EINTR) {
            readFailed_ = true;
            reason_ = "the file could not be read";
            return -1;
        }
    }
}

bool RegularFile::ReadAll(std::string& bytes) {
    char buffer[4096];
    for (;;) {
        const std::int64_t got = Read(buffer, sizeof buffer);
        if (got < 0) return false;
        if (got == 0) return true;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

std::int64_t RegularFile::Seek(std::int64_t offset, int whence) {
    if (fd_ < 0) return -1;
    const off_t at = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (at < 0) return -1;
    position_ = static_cast<std::uint64_t>(at);
    return at;
}
