#include "host/authoring/template_save_as.h"

#include <QLineEdit>
#include <QSaveFile>

#include "host/authoring/editor_port.h"
#include "host/authoring/template_file.h"
#include "host/authoring/template_property_form.h"
#include "host/common/control_host.h"
#include "host/common/file_dialogs.h"
#include "host/common/message_box.h"

namespace quenby::authoring {

namespace {

// Empty on success, else the reason.
QString WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

}  // namespace

bool TemplateSaveAs(EditorPort& editor, const std::filesystem::path& programFolder,
                    std::function<bool(TemplatePropertyForm&)> runPropertyDialog) {
    QWidget* owner = editor.OwnerWindow();

    CommonDialog dialog;
    dialog.Filter = QStringLiteral(
        "HTML ファイル (*.htp)|*.htp|テキスト ファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*");
    dialog.FileName = PathToQString(programFolder) + QStringLiteral("/template/テンプレート");
    if (!dialog.ShowSave(owner)) return false;
    // Used as typed: no ".htp" is added.
    const QString path = dialog.FileName;

    TemplatePropertyForm properties(owner);
    if (runPropertyDialog) {
        runPropertyDialog(properties);
    } else {
        properties.exec();
    }

    const QByteArray bytes = TemplateFileBytes(editor.EditorControl().Text(), properties.Text1()->text(),
                                               properties.Text2()->text(), properties.Description());
    // The design never looked; a template lost while the user believes it
    // saved is worse than a message.
    const QString failure = WriteWhole(path, bytes);
    if (!failure.isEmpty()) {
        MsgBox(QStringLiteral("テンプレートを保存できませんでした。\n%1\n%2").arg(path, failure), MsgButtons::Ok,
               MsgIcon::Critical, owner);
        return false;
    }

    editor.ShowFileInCaption(path);
    return true;
}

}  // namespace quenby::authoring
