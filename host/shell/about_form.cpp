#include "host/shell/about_form.h"

#include "host/common/message_box.h"
#include "host/shell/splash_form.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace quenby::shell {

namespace reg = platform::registry;

namespace {

ProcessStarter& Starter() {
    static ProcessStarter starter;
    return starter;
}

bool StartProcess(const QString& program) {
    if (Starter()) return Starter()(program);
    return QProcess::startDetached(program, {});
}

}  // namespace

ProcessStarter SetProcessStarter(ProcessStarter starter) { return std::exchange(Starter(), std::move(starter)); }

std::optional<QString> GetKeyValue(reg::HKEY root, const QString& keyName, const QString& valueName) {
    std::string text;
    if (!reg::QueryString(root, keyName.toStdString(), valueName.toStdString(), &text).ok()) return std::nullopt;
    // Values written by other programs may carry their terminating NUL.
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return QString::fromStdString(text);
}

std::optional<QString> SystemInformationTool() {
    // The tool's own key first, then the folder shared tools are kept in.
    if (auto path = GetKeyValue(reg::HKEY::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                QStringLiteral("PATH"))) {
        return path;
    }
    if (auto folder = GetKeyValue(reg::HKEY::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                                  QStringLiteral("MSINFO"))) {
        const QString file = QDir(*folder).filePath(QStringLiteral("MSINFO32.EXE"));
        if (QFileInfo(file).isFile()) return file;
    }
    return std::nullopt;
}

AboutForm::AboutForm(QWidget* owner)
    : QDialog(owner),
      picture_(new QLabel(this)),
      version_(new QLabel(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      sysInfo_(new QPushButton(QStringLiteral("システム情報(&S)..."), this)) {
    setWindowTitle(ProgramTitle());
    setModal(true);

    const QPixmap picture = LoadSplashPicture();
    picture_->setPixmap(picture);
    if (!picture.isNull()) picture_->setFixedSize(picture.size());
    version_->setText(VersionText());
    ok_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(version_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(sysInfo_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture_, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo_, &QPushButton::clicked, this, &AboutForm::StartSysInfo);
}

void AboutForm::StartSysInfo() {
    const std::optional<QString> tool = SystemInformationTool();
    if (tool && !tool->isEmpty() && StartProcess(*tool)) return;
    MsgBox(QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"), MsgButtons::Ok, MsgIcon::None, this);
}

void ShowAbout(QWidget* owner) {
    AboutForm form(owner);
    form.exec();
}

}  // namespace quenby::shell
