// Shared pieces of the engine tests: temporary files, an editor with
// measured metrics, and a view that records what the engine asked of it.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "control/engine/tarn_edit.h"

namespace tarn::test {

inline std::string B(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}
inline const std::string kNul(1, '\0');

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("tarn-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
inline std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline std::vector<std::string> LinesOf(const TTarnStrings& s) {
    std::vector<std::string> v;
    for (int i = 0; i < s.Count(); ++i) v.push_back(s.Get(i));
    return v;
}

class RecordingView : public TEditView {
public:
    mutable int repaints = 0;
    int redraws = 0;
    int carets = 0;
    unsigned modifiers = 0;
    std::vector<std::string> messages;
    void RepaintAll() override { ++repaints; }
    void RedrawRows(RedrawScope, int, int) override { ++redraws; }
    void PlaceCaret() override { ++carets; }
    unsigned ModifierState() const override { return modifiers; }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
};

// An editor as the view leaves it once shown: a fixed-pitch font one unit
// wide per byte, 80 units of text area, 10 visible rows.
inline void Measure(TTarnEdit& e, int rows = 10, int width = 80) {
    e.Fontwidth = 1;
    e.Fontheight = 1;
    e.Lineheight = 1;
    e.DwclientX = width;
    e.ClLineCount = rows;
}

}  // namespace tarn::test
