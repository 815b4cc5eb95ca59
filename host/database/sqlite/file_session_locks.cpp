#include "host/database/sqlite/file_session_locks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "host/objects/host_text.h"

namespace zel {
namespace {

void WriteHolder(int descriptor, const std::string& holder) {
    if (ftruncate(descriptor, 0) != 0) {
        return;
    }
    std::size_t written = 0;
    while (written < holder.size()) {
        const ssize_t n = pwrite(descriptor, holder.data() + written, holder.size() - written,
                                 static_cast<off_t>(written));
        if (n <= 0) {
            return;
        }
        written += static_cast<std::size_t>(n);
    }
}

std::string ReadHolder(int descriptor) {
    std::string holder;
    char buffer[512];
    off_t offset = 0;
    ssize_t n = 0;
    while ((n = pread(descriptor, buffer, sizeof buffer, offset)) > 0) {
        holder.append(buffer, static_cast<std::size_t>(n));
        offset += n;
    }
    return holder;
}

}  // namespace

FileSessionLocks::~FileSessionLocks() {
    for (const auto& [file, descriptor] : held_) {
        Unlock(descriptor);
    }
}

std::string FileSessionLocks::FileNameOf(const std::string& name) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string file;
    for (const unsigned char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                           c == '-' || (c == '.' && !file.empty());
        if (plain) {
            file += static_cast<char>(c);
        } else if (c >= 'A' && c <= 'Z') {
            file += AsciiLower(static_cast<char>(c));
        } else {
            file += '%';
            file += kHex[c >> 4];
            file += kHex[c & 0x0F];
        }
    }
    return file + ".lock";
}

std::string FileSessionLocks::PathOf(const std::string& name) const {
    return folder_ + "/" + FileNameOf(name);
}

bool FileSessionLocks::TryAcquire(const std::string& name, const std::string& holder,
                                  std::string& currentHolder) {
    currentHolder.clear();
    const std::string file = FileNameOf(name);
    if (const auto own = held_.find(file); own != held_.end()) {
        WriteHolder(own->second, holder);
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    const int descriptor = open(PathOf(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return false;
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            currentHolder = ReadHolder(descriptor);
        }
        close(descriptor);
        return false;
    }
    WriteHolder(descriptor, holder);
    held_[file] = descriptor;
    return true;
}

void FileSessionLocks::Release(const std::string& name) {
    const auto own = held_.find(FileNameOf(name));
    if (own == held_.end()) {
        return;
    }
    Unlock(own->second);
    held_.erase(own);
}

void FileSessionLocks::Unlock(int descriptor) {
    WriteHolder(descriptor, {});
    flock(descriptor, LOCK_UN);
    close(descriptor);
}

}  // namespace zel
