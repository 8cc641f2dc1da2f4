#pragma once

#include "host/common/handset_profile.h"

#include <QString>
#include <filesystem>
#include <optional>
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

// The findings with the page's weight: its bytes in Shift_JIS plus the
// local images it loads, what the handset must fetch.
struct PageReport {
    std::vector<Finding> findings;
    qint64 weight = 0;
};
PageReport InspectPage(const QString& text, const HandsetProfile& profile, const std::filesystem::path& pageFolder);

// A page file read as the editor reads documents, its images looked up in
// imageFolder (the editor checks its preview copy against the document's
// own folder). Nothing when the file cannot be read.
std::optional<PageReport> InspectFile(const std::filesystem::path& file, const HandsetProfile& profile,
                                      const std::filesystem::path& imageFolder);

// One finding as compilers print theirs, so other editors can jump to it:
// "PAGE:ROW:COLUMN: error: message".
QString FindingLine(const QString& page, const Finding& f);

}  // namespace quenby::checker
