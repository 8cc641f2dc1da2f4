#include "platform/registry/registry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/registry/text_format.h"

namespace platform::registry {
namespace {

Status Error(LSTATUS code, std::string message) { return Status{code, std::move(message)}; }

Status SystemError(LSTATUS code, const std::string& what, const std::filesystem::path& file, int err) {
    return Error(code, what + " " + file.string() + ": " + std::strerror(err));
}

// Reads the whole file with POSIX calls, so that every failure has an errno.
Status ReadFile(const std::filesystem::path& file, std::string* text, bool* missing) {
    *missing = false;
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            *missing = true;
            return {};
        }
        return SystemError(ERROR_CANTREAD, "cannot open the registry", file, errno);
    }
    char buf[8192];
    while (true) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            return SystemError(ERROR_CANTREAD, "cannot read the registry", file, err);
        }
        if (n == 0) break;
        text->append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return {};
}

Status WriteAll(int fd, std::string_view data, const std::filesystem::path& file) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return SystemError(ERROR_CANTWRITE, "cannot write the registry", file, errno);
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

// Serializes read-modify-write cycles of several processes on one file
// (two registrations at once must not lose one). Reads need no lock: the
// file is only ever replaced whole.
class UpdateLock {
public:
    explicit UpdateLock(const std::filesystem::path& file) {
        std::filesystem::path lock = file;
        lock += ".lock";
        fd_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) {
            status_ = SystemError(ERROR_CANTWRITE, "cannot lock the registry", lock, errno);
            return;
        }
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            status_ = SystemError(ERROR_CANTWRITE, "cannot lock the registry", lock, errno);
            break;
        }
    }
    ~UpdateLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;
    const Status& status() const { return status_; }

private:
    int fd_ = -1;
    Status status_;
};

// Runs `use` on the store read from the default file; reading only.
template <class F>
Status Read(F use) {
    Loaded loaded = LoadStore(RegistryPath());
    Status status = use(static_cast<const Store&>(loaded.store));
    if (!loaded.status.ok() && status.code == ERROR_FILE_NOT_FOUND) return loaded.status;
    return status;
}

}  // namespace

std::string_view HiveName(HKEY hive) noexcept {
    switch (hive) {
        case HKEY::ClassesRoot: return "HKEY_CLASSES_ROOT";
        case HKEY::CurrentUser: return "HKEY_CURRENT_USER";
        case HKEY::LocalMachine: return "HKEY_LOCAL_MACHINE";
    }
    return "HKEY_CLASSES_ROOT";
}

std::string FullPath(HKEY hive, std::string_view subkey) {
    std::string path(HiveName(hive));
    if (!subkey.empty()) {
        path += '\\';
        path += subkey;
    }
    return path;
}

std::filesystem::path RegistryPath() {
    if (const char* explicitPath = std::getenv("QUENBY_REGISTRY"); explicitPath && *explicitPath)
        return explicitPath;
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home) config = std::filesystem::path(home) / ".config";
    else config = std::filesystem::temp_directory_path();
    return config / "quenby" / "registry.txt";
}

Loaded LoadStore(const std::filesystem::path& file) {
    Loaded loaded;
    try {
        std::string text;
        bool missing = false;
        loaded.status = ReadFile(file, &text, &missing);
        if (!loaded.status.ok() || missing) return loaded;
        ParseResult parsed = Parse(text, loaded.store);
        if (!parsed.ok) loaded.status = Error(ERROR_BADDB, "the registry file " + file.string() + " is damaged: " + parsed.error);
    } catch (const std::exception& e) {
        loaded.store = Store();
        loaded.status = Error(ERROR_CANTREAD, std::string("cannot read the registry: ") + e.what());
    }
    return loaded;
}

Status SaveStore(const Store& store, const std::filesystem::path& file) {
    try {
        std::error_code ec;
        if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
        const std::string text = Serialize(store);
        std::filesystem::path temp = file;
        temp += ".new";
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) return SystemError(ERROR_CANTWRITE, "cannot create", temp, errno);
        Status status = WriteAll(fd, text, temp);
        if (status.ok() && ::fsync(fd) != 0) status = SystemError(ERROR_CANTWRITE, "cannot flush", temp, errno);
        if (::close(fd) != 0 && status.ok()) status = SystemError(ERROR_CANTWRITE, "cannot close", temp, errno);
        if (status.ok() && std::rename(temp.c_str(), file.c_str()) != 0)
            status = SystemError(ERROR_CANTWRITE, "cannot replace", file, errno);
        if (!status.ok()) ::unlink(temp.c_str());
        return status;
    } catch (const std::exception& e) {
        return Error(ERROR_CANTWRITE, std::string("cannot write the registry: ") + e.what());
    }
}

Status Update(const std::function<void(Store&)>& change, const std::filesystem::path& file) {
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    UpdateLock lock(file);
    if (!lock.status().ok()) return lock.status();
    Loaded loaded = LoadStore(file);
    if (!loaded.status.ok()) return loaded.status;
    try {
        change(loaded.store);
    } catch (const std::exception& e) {
        return Error(ERROR_INVALID_PARAMETER, e.what());
    }
    return SaveStore(loaded.store, file);
}

Status CreateKey(HKEY hive, std::string_view subkey) {
    if (!SplitPath(subkey)) return Error(ERROR_INVALID_PARAMETER, "invalid key path");
    return Update([&](Store& s) { s.Create(FullPath(hive, subkey)); });
}

Status SetString(HKEY hive, std::string_view subkey, std::string_view valueName, std::string_view data) {
    if (!SplitPath(subkey) || !IsValidValueName(valueName)) return Error(ERROR_INVALID_PARAMETER, "invalid key or value name");
    return Update([&](Store& s) { s.Create(FullPath(hive, subkey))->Set(valueName, Value{std::string(data)}); });
}

Status SetDword(HKEY hive, std::string_view subkey, std::string_view valueName, DWORD data) {
    if (!SplitPath(subkey) || !IsValidValueName(valueName)) return Error(ERROR_INVALID_PARAMETER, "invalid key or value name");
    return Update([&](Store& s) { s.Create(FullPath(hive, subkey))->Set(valueName, Value{data}); });
}

Status QueryValue(HKEY hive, std::string_view subkey, std::string_view valueName, Value* out) {
    return Read([&](const Store& s) -> Status {
        const Key* key = s.Open(FullPath(hive, subkey));
        const Value* v = key ? key->Find(valueName) : nullptr;
        if (!v) return Error(ERROR_FILE_NOT_FOUND, "no value \"" + std::string(valueName) + "\" in " + FullPath(hive, subkey));
        if (out) *out = *v;
        return {};
    });
}

Status QueryString(HKEY hive, std::string_view subkey, std::string_view valueName, std::string* out) {
    Value v;
    Status status = QueryValue(hive, subkey, valueName, &v);
    if (!status.ok()) return status;
    if (!v.String()) return Error(ERROR_UNSUPPORTED_TYPE, "the value is not a string");
    if (out) *out = *v.String();
    return {};
}

Status QueryDword(HKEY hive, std::string_view subkey, std::string_view valueName, DWORD* out) {
    Value v;
    Status status = QueryValue(hive, subkey, valueName, &v);
    if (!status.ok()) return status;
    if (!v.Dword()) return Error(ERROR_UNSUPPORTED_TYPE, "the value is not a DWORD");
    if (out) *out = *v.Dword();
    return {};
}

Status OpenKey(HKEY hive, std::string_view subkey) {
    return Read([&](const Store& s) -> Status {
        if (!s.Open(FullPath(hive, subkey))) return Error(ERROR_FILE_NOT_FOUND, "no key " + FullPath(hive, subkey));
        return {};
    });
}

Status DeleteValue(HKEY hive, std::string_view subkey, std::string_view valueName) {
    bool found = false;
    Status status = Update([&](Store& s) {
        if (Key* key = s.Open(FullPath(hive, subkey))) found = key->Remove(valueName);
    });
    if (status.ok() && !found) return Error(ERROR_FILE_NOT_FOUND, "no value \"" + std::string(valueName) + "\"");
    return status;
}

Status DeleteTree(HKEY hive, std::string_view subkey) {
    if (subkey.empty()) return Error(ERROR_INVALID_PARAMETER, "a hive itself cannot be deleted");
    bool found = false;
    Status status = Update([&](Store& s) { found = s.DeleteTree(FullPath(hive, subkey)); });
    if (status.ok() && !found) return Error(ERROR_FILE_NOT_FOUND, "no key " + FullPath(hive, subkey));
    return status;
}

Status EnumKeys(HKEY hive, std::string_view subkey, std::vector<std::string>* names) {
    return Read([&](const Store& s) -> Status {
        const Key* key = s.Open(FullPath(hive, subkey));
        if (!key) return Error(ERROR_FILE_NOT_FOUND, "no key " + FullPath(hive, subkey));
        if (names) {
            names->clear();
            for (const auto& [name, child] : key->Children()) names->push_back(name);
        }
        return {};
    });
}

}  // namespace platform::registry
