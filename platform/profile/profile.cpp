#include "platform/profile/profile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/profile/ini_text.h"

namespace platform::profile {
namespace {

namespace fs = std::filesystem;

enum class ReadStatus { Ok, Missing, Failed };

// Reads the whole file, if it is a regular one. Opening without blocking and
// refusing anything else keeps a pipe or a device in place of the settings
// file from stalling the program or filling its memory.
ReadStatus ReadRegularFile(const fs::path& file, std::string* text, struct stat* info) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadStatus::Failed;
    }
    try {
        text->clear();
        if (st.st_size > 0) text->reserve(static_cast<std::size_t>(st.st_size));
        char buf[65536];
        while (true) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR) continue;
                ::close(fd);
                return ReadStatus::Failed;
            }
            if (n == 0) break;
            text->append(buf, static_cast<std::size_t>(n));
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    if (info) *info = st;
    return ReadStatus::Ok;
}

std::optional<std::string> LookUp(std::string_view section, std::string_view key, const fs::path& file) {
    try {
        std::string text;
        if (ReadRegularFile(file, &text, nullptr) != ReadStatus::Ok) return std::nullopt;
        std::optional<std::string_view> value = FindValue(text, section, key);
        if (!value) return std::nullopt;
        return std::string(*value);
    } catch (...) {
        // Not even memory for the file: the caller's default is the answer.
        return std::nullopt;
    }
}

// A link to the settings file stays a link: the file it points to is the
// one replaced (and locked).
fs::path WriteTarget(const fs::path& file) {
    fs::path p = file;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) return p;
        fs::path next = fs::read_symlink(p, ec);
        if (ec) return p;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p;
}

// Serializes the read-change-replace cycles of every process (and thread)
// writing the file, so that none of them writes over a change it never saw.
// Readers take no lock: the file is only ever replaced whole. The lock is a
// file of its own because the settings file itself is replaced, and a lock
// held on the old one would not stop a writer that opens the new one.
class WriteLock {
public:
    explicit WriteLock(const fs::path& file) {
        fs::path lock = file;
        lock += ".lock";
        // Read-only is enough for flock, and lets a lock file created by
        // another user serve this one too.
        fd_ = ::open(lock.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
    ~WriteLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;
    bool held() const noexcept { return fd_ >= 0; }

private:
    int fd_ = -1;
};

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes `text` beside `target` and renames it over. `old` describes the
// file being replaced (its owner and mode are carried over), if there is one.
bool ReplaceFile(const fs::path& target, std::string_view text, const struct stat* old) {
    fs::path temp = target;
    temp += "." + std::to_string(::getpid()) + ".tmp";
    // Under the lock no other writer is at work, so a file of this name can
    // only be left from a process of the same number that died mid-write.
    ::unlink(temp.c_str());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, old ? 0600 : 0666);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, text);
    if (ok && old) {
        // Keeping the owner only works where the system allows it (as root,
        // or for one's own group); the mode is set after it, since a change
        // of owner may clear the set-id bits.
        if (::fchown(fd, old->st_uid, old->st_gid) != 0) { /* best effort */ }
        ok = ::fchmod(fd, old->st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    const std::filesystem::path& file, std::size_t bufferSize) {
    std::optional<std::string> found = LookUp(section, key, file);
    std::string_view result = found ? std::string_view(*found) : defaultValue;
    result = result.substr(0, result.find('\0'));  // what a C string holds
    if (!found) result = TrimTrailingBlanks(result);
    if (bufferSize > 0) result = result.substr(0, bufferSize - 1);
    return std::string(result);
}

std::uint32_t GetPrivateProfileStringA(std::string_view section, std::string_view key,
                                       std::string_view defaultValue, char* buffer, std::uint32_t size,
                                       const std::filesystem::path& file) {
    if (!buffer || size == 0) return 0;
    try {
        std::string value = GetPrivateProfileString(section, key, defaultValue, file, size);
        std::memcpy(buffer, value.data(), value.size());
        buffer[value.size()] = '\0';
        return static_cast<std::uint32_t>(value.size());
    } catch (...) {
        buffer[0] = '\0';
        return 0;
    }
}

bool WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                std::optional<std::string_view> value, const std::filesystem::path& file) {
    try {
        if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || (value && !IsWritableValue(*value)))
            return false;
        const fs::path target = WriteTarget(file);
        if (!target.has_filename()) return false;

        WriteLock lock(target);
        if (!lock.held()) return false;
        std::string text;
        struct stat info {};
        ReadStatus status = ReadRegularFile(target, &text, &info);
        if (status == ReadStatus::Failed) return false;
        const bool exists = status == ReadStatus::Ok;
        // A read-only settings file stays as it is, as the system's own
        // profile writer leaves it; the rename would otherwise go past it.
        if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;

        std::optional<std::string> edited = ApplyWrite(text, section, key, value);
        if (!edited) return false;
        if (*edited == text) return true;  // also: nothing to delete in a missing file
        return ReplaceFile(target, *edited, exists ? &info : nullptr);
    } catch (...) {
        return false;
    }
}

}  // namespace platform::profile
