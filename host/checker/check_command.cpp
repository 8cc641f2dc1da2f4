#include "host/checker/check_command.h"

#include "host/checker/page_checker.h"
#include "host/common/program_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace quenby::checker {

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "quenby --check: %s\n", message.toUtf8().constData());
    return 2;
}

}  // namespace

bool IsCheckCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--check") == 0) return true;
    return false;
}

namespace {

const QString kUsage = QStringLiteral("usage: quenby --check PAGE... [--handset VERSION]");

bool IsPageFile(const std::filesystem::path& p) {
    const QString ext = FromPath(p.extension()).toLower();
    return ext == u".html" || ext == u".htm";
}

// A folder stands for the pages in it and below it, in name order, so a
// script's output is the same from run to run.
QStringList ExpandPages(const QString& argument) {
    std::error_code ec;
    const std::filesystem::path path = ToPath(argument);
    if (!std::filesystem::is_directory(path, ec)) return {argument};
    std::vector<std::filesystem::path> found;
    for (auto it = std::filesystem::recursive_directory_iterator(
             path, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file(ec) && IsPageFile(it->path())) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    QStringList pages;
    for (const auto& f : found) pages << FromPath(f);
    return pages;
}

}  // namespace

int RunCheckCommand(const QStringList& arguments, const std::filesystem::path& programFolder) {
    QStringList pages;
    QString version;
    bool checkSeen = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--check" && !checkSeen) {
            checkSeen = true;
        } else if (a == u"--handset" && version.isEmpty() && i + 1 < arguments.size()) {
            version = arguments[++i];
        } else if (checkSeen && !a.startsWith(u"--") && !a.isEmpty()) {
            pages << a;
        } else {
            return Fail(kUsage);
        }
    }
    if (!checkSeen || pages.isEmpty()) return Fail(kUsage);

    const std::vector<HandsetProfile> profiles = ReadHandsetProfiles(HandsetsFile(programFolder));
    if (profiles.empty()) return Fail(QStringLiteral("no handset profiles in %1").arg(FromPath(HandsetsFile(programFolder))));
    const HandsetProfile* profile = version.isEmpty() ? &profiles.back() : FindProfile(profiles, version);
    if (!profile) return Fail(QStringLiteral("unknown handset version %1").arg(version));

    // Every page is checked even when one cannot be read; the exit code
    // tells the worst that happened.
    bool error = false;
    bool unreadable = false;
    for (const QString& argument : pages) {
        for (const QString& page : ExpandPages(argument)) {
            const std::filesystem::path path = ToPath(page);
            const std::optional<PageReport> report = InspectFile(path, *profile, path.parent_path());
            if (!report) {
                std::fprintf(stderr, "quenby --check: cannot read %s\n", page.toUtf8().constData());
                unreadable = true;
                continue;
            }
            for (const Finding& f : report->findings) {
                error = error || f.severity == Severity::Error;
                std::fputs((FindingLine(page, f) + u'\n').toUtf8().constData(), stdout);
            }
        }
    }
    std::fflush(stdout);
    return unreadable ? 2 : error ? 1 : 0;
}

}  // namespace quenby::checker
