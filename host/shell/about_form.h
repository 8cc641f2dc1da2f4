// The about box: the program's picture and version, OK, and a button that
// starts the platform's system-information tool when the registry names one.
// Loaded and unloaded on each use, modal, owned by the editor window.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "platform/registry/registry.h"

class QLabel;
class QPushButton;

namespace quenby::shell {

// Starts a program as a process of its own; false when it could not be
// started. Tests put their own in place so that nothing is started.
using ProcessStarter = std::function<bool(const QString& program)>;
// Returns the previous starter; an empty one puts the real start back.
ProcessStarter SetProcessStarter(ProcessStarter starter);

// A string value of the registry; nothing when the key or the value is
// missing or the value is not a string.
std::optional<QString> GetKeyValue(platform::registry::HKEY root, const QString& keyName, const QString& valueName);
// Where the registry says the system-information tool is; nothing when it
// does not say.
std::optional<QString> SystemInformationTool();

class AboutForm final : public QDialog {
    Q_OBJECT

public:
    explicit AboutForm(QWidget* owner);

    QLabel* Version() const { return version_; }
    QLabel* Picture() const { return picture_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* SysInfoButton() const { return sysInfo_; }

    // Starts the tool, or says it cannot be used.
    void StartSysInfo();

private:
    QLabel* picture_;
    QLabel* version_;
    QPushButton* ok_;
    QPushButton* sysInfo_;
};

void ShowAbout(QWidget* owner);

}  // namespace quenby::shell
