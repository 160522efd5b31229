// Reading a named data file safely: only regular files are opened, a FIFO cannot block the
// open, a file over its caller's bound is refused before anything is read, and every read error
// is reported. Used by the level reader, the picture loader, the actors file and the view file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class RegularFile {
  public:
    // Opens name for reading, looked up through data_path (the level folder first). Afterwards ok()
    // is false, with reason() saying why, when the file is missing, unreadable, not a regular file,
    // or larger than maxBytes.
    RegularFile(const char* name, std::uint64_t maxBytes);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    const char* reason() const { return reason_; }
    std::uint64_t size() const { return size_; }
    bool readFailed() const { return readFailed_; }
    // No file of that name at all (rather than one that cannot be opened).
    bool missing() const { return missing_; }

    // Reads up to count bytes at the current position. Returns the number read (0 at the end of
    // the file, or once maxBytes have been read) or -1 on a read error (reason() says so).
    [[nodiscard]] std::int64_t Read(void* buffer, std::size_t count);
    // Appends the rest of the file (up to maxBytes) to bytes. False on a read error.
    [[nodiscard]] bool ReadAll(std::string& bytes);
    // Moves the position (SEEK_SET, SEEK_CUR, SEEK_END); returns the new position or -1.
    [[nodiscard]] std::int64_t Seek(std::int64_t offset, int whence);

  private:
    int fd_ = -1;
    const char* reason_ = "";
    std::uint64_t size_ = 0;
    std::uint64_t limit_ = 0;
    std::uint64_t position_ = 0;
    bool readFailed_ = false;
    bool missing_ = false;
};
