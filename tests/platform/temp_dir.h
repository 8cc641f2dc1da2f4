// A fresh folder per test, removed afterwards, with the registry pointed
// into it so that tests never touch the user's own.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testing_fs {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quenby-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Sets QUENBY_REGISTRY for the lifetime of the object.
class RegistryFile {
public:
    RegistryFile() : file_(dir_.path() / "registry.txt") {
        if (const char* old = std::getenv("QUENBY_REGISTRY")) old_ = old, hadOld_ = true;
        setenv("QUENBY_REGISTRY", file_.c_str(), 1);
    }
    ~RegistryFile() {
        if (hadOld_) setenv("QUENBY_REGISTRY", old_.c_str(), 1);
        else unsetenv("QUENBY_REGISTRY");
    }
    const std::filesystem::path& file() const { return file_; }
    const std::filesystem::path& dir() const { return dir_.path(); }

private:
    TempDir dir_;
    std::filesystem::path file_;
    std::string old_;
    bool hadOld_ = false;
};

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteAll(const std::filesystem::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
}

}  // namespace testing_fs
