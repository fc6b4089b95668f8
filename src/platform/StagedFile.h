#pragma once

#include <memory>
#include <string>

namespace tinsori {

// A file written whole before it replaces its target. The writing goes to a file without a name
// in the target's folder (so that the final rename is atomic); it is named and takes the target's
// place only once committed, and vanishes otherwise, so a failed, stopped or killed writer leaves
// no partial file and an existing target as it was.
class StagedFile {
public:
    // Creates the temporary file beside `target` (beside the file a symbolic link names, so the
    // link stays a link); null with a one-line reason when the folder refuses it.
    static std::unique_ptr<StagedFile> Create(const std::string& target, std::string* error);
    // Removes the temporary file unless it was committed.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Open for reading and writing (some writers read back what they wrote).
    int fd() const { return fd_; }
    // A name it can be opened by again, while it is open.
    std::string path() const;
    const std::string& target() const { return target_; }

    // Writes all of `size` bytes at the current offset; false (errno set) when the disk refuses.
    bool WriteAll(const void* data, size_t size);
    // Flushes the file to the disk, closes it and renames it over the target: false with a
    // reason (and nothing replaced) when any step fails.
    bool Commit(std::string* error);

private:
    StagedFile(std::string target, std::string destination, std::string path, int fd);

    std::string target_;       // as the user named it
    std::string destination_;  // the file it names, links followed
    std::string path_;         // empty while the file has no name
    int fd_;
    bool committed_ = false;
};

}  // namespace tinsori
