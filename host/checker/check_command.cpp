#include "host/checker/check_command.h"

#include "host/checker/page_checker.h"
#include "host/common/program_folder.h"

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

int RunCheckCommand(const QStringList& arguments, const std::filesystem::path& programFolder) {
    QString page;
    QString version;
    bool checkSeen = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--check" && !checkSeen && i + 1 < arguments.size()) {
            checkSeen = true;
            page = arguments[++i];
        } else if (a == u"--handset" && version.isEmpty() && i + 1 < arguments.size()) {
            version = arguments[++i];
        } else {
            return Fail(QStringLiteral("usage: quenby --check PAGE [--handset VERSION]"));
        }
    }
    if (!checkSeen || page.isEmpty()) return Fail(QStringLiteral("usage: quenby --check PAGE [--handset VERSION]"));

    const std::vector<HandsetProfile> profiles = ReadHandsetProfiles(HandsetsFile(programFolder));
    if (profiles.empty()) return Fail(QStringLiteral("no handset profiles in %1").arg(FromPath(HandsetsFile(programFolder))));
    const HandsetProfile* profile = version.isEmpty() ? &profiles.back() : FindProfile(profiles, version);
    if (!profile) return Fail(QStringLiteral("unknown handset version %1").arg(version));

    const std::filesystem::path path = ToPath(page);
    const std::optional<PageReport> report = InspectFile(path, *profile, path.parent_path());
    if (!report) return Fail(QStringLiteral("cannot read %1").arg(page));

    bool error = false;
    for (const Finding& f : report->findings) {
        error = error || f.severity == Severity::Error;
        std::fputs((FindingLine(page, f) + u'\n').toUtf8().constData(), stdout);
    }
    std::fflush(stdout);
    return error ? 1 : 0;
}

}  // namespace quenby::checker
