#pragma once

#include "host/checker/handset_profile.h"

#include <QString>
#include <filesystem>
#include <vector>

namespace quenby::checker {

enum class Severity { Warning, Error };

// Row and column are 1-based. The column is a byte column, as the editor
// counts it: a double-byte character takes two columns, an ASCII or
// half-width katakana character one.
struct Finding {
    int row = 1;
    int column = 1;
    Severity severity = Severity::Warning;
    QString message;
};

// The findings in row and column order. Local images (IMG src relative to
// pageFolder) count towards the page size; remote ones do not.
std::vector<Finding> CheckPage(const QString& text, const HandsetProfile& profile,
                               const std::filesystem::path& pageFolder);

}  // namespace quenby::checker
