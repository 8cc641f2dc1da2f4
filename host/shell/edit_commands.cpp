// The editor window's commands: one table from menu item to command, the
// toolbars and the context menu running menu items by index, and the
// preview refresh that follows commands.
#include <QClipboard>
#include <QGuiApplication>
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include "host/shell/edit_form.h"
#include "host/shell/find_dialog.h"

namespace quenby::shell {

namespace tx = tarnedit;

QAction* EditForm::Action(Menu menu, int index) const {
    const auto it = actions_.find({menu, index});
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* EditForm::MenuOf(Menu menu) const {
    const auto it = menus_.find(menu);
    return it == menus_.end() ? nullptr : it->second;
}

QAction* EditForm::StandardButton(int index) const {
    const auto it = standardButtons_.find(index);
    return it == standardButtons_.end() ? nullptr : it->second;
}

QAction* EditForm::TagButton(int index) const {
    const auto it = tagButtons_.find(index);
    return it == tagButtons_.end() ? nullptr : it->second;
}

QString EditForm::GetSelText_TarnEditX1() {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!control_->Function<bool>(tx::dispid::GetselLine, com::ByRef(x1), com::ByRef(y1), com::ByRef(x2), com::ByRef(y2)))
        return QString();
    return control_->Function<QString>(tx::dispid::GetStr, x1, y1, x2, y2);
}

void EditForm::RunMenu(Menu menu, int index) {
    const MenuItem* item = FindMenuItem(menu, index);
    // Hidden items, separators and disabled items do nothing.
    if (!item || item->hidden || item->separator || item->command == Command::None || !control_) return;
    if (QAction* a = Action(menu, index); a && !a->isEnabled()) return;
    Run(item->command);
    AfterCommand(item->autoRefresh);
}

void EditForm::AfterCommand(bool autoRefresh) {
    if (autoRefresh && settings_.MouseAutoRefresh) RefreshTempFile();
}

void EditForm::RunStandardButton(int index) {
    const auto& buttons = StandardButtons();
    const auto it = std::find_if(buttons.begin(), buttons.end(), [&](const ToolButton& b) { return b.index == index; });
    if (it == buttons.end() || it->separator) return;
    if (it->menuIndex != 0) {
        // The undo and redo buttons act only while their menu items are
        // enabled, and then refresh nothing either.
        QAction* item = Action(it->menu, it->menuIndex);
        if (it->menu == Menu::Edit && (it->menuIndex == 1 || it->menuIndex == 2) && item && !item->isEnabled()) return;
        RunMenu(it->menu, it->menuIndex);
    }
    AfterCommand(true);
}

void EditForm::RunTagButton(int index) {
    const auto& buttons = TagButtons();
    const auto it = std::find_if(buttons.begin(), buttons.end(), [&](const ToolButton& b) { return b.index == index; });
    if (it == buttons.end() || it->separator || it->menuIndex == 0) return;
    RunMenu(it->menu, it->menuIndex);
}

void EditForm::InsertAligned(const char* align) {
    control_->TextPaste(QStringLiteral("<DIV align=\"%1\">").arg(QLatin1String(align)) + GetSelText_TarnEditX1() +
                        QStringLiteral("</DIV>"));
}

void EditForm::ShowDialog(Dialog d) {
    if (dialogs_ && dialogs_->Available(d)) dialogs_->Show(d, *this);
}

void EditForm::TogglePreviewWindow() {
    QAction* item = Action(Menu::View, 5);
    if (!preview_) return;
    if (item->isChecked()) {
        item->setChecked(false);
        preview_->Unload();
    } else {
        item->setChecked(true);
        preview_->Load();
        if (settings_.MouseAutoRefresh) RefreshTempFile();
        preview_->Show();
    }
}

void EditForm::Run(Command command) {
    ControlHost& c = *control_;
    switch (command) {
        case Command::None: break;
        case Command::New: ShowDialog(Dialog::TemplateSelect); break;
        case Command::Open: FileOpenAs(); break;
        case Command::Save: FileSave(); break;
        case Command::SaveAs: FileSaveAs(); break;
        case Command::SaveTemplate: ShowDialog(Dialog::TemplateProperty); break;
        case Command::Exit: close(); break;
        case Command::Undo:
            c.Call(tx::dispid::Undo);
            if (!Action(Menu::Edit, 2)->isEnabled()) Action(Menu::Edit, 2)->setEnabled(true);
            break;
        case Command::Redo:
            c.Call(tx::dispid::Redo);
            if (!Action(Menu::Edit, 1)->isEnabled()) Action(Menu::Edit, 1)->setEnabled(true);
            break;
        case Command::Cut: c.Call(tx::dispid::Cut); break;
        case Command::Copy: c.Call(tx::dispid::TxtCopy); break;
        case Command::Paste:
            // With Ctrl held the control has pasted from its own keys.
            if (lastShift_ != tx::kShiftCtrl) {
                TellLostCharacters(QGuiApplication::clipboard()->mimeData());
                c.Call(tx::dispid::Paste);
            }
            break;
        case Command::Delete: c.Call(tx::dispid::ClearSelection); break;
        case Command::Find:
            if (!finder_) finder_ = new FindDialog(c, this);
            finder_->show();
            finder_->raise();
            finder_->activateWindow();
            break;
        case Command::SelectAll: c.Call(tx::dispid::AllSel); break;
        case Command::StandardToolbar: {
            QAction* check = Action(Menu::ViewToolbar, 1);
            check->setChecked(!check->isChecked());
            standardToolbar_->setVisible(check->isChecked());
            ArrangeBands();
            break;
        }
        case Command::StatusBar: {
            QAction* check = Action(Menu::View, 2);
            check->setChecked(!check->isChecked());
            Form_Resize();
            break;
        }
        case Command::PreviewWindow: TogglePreviewWindow(); break;
        case Command::Preview: RefreshTempFile(); break;
        case Command::FontTag: ShowDialog(Dialog::FontTag); break;
        case Command::AlignLeft: InsertAligned("left"); break;
        case Command::AlignCenter: InsertAligned("center"); break;
        case Command::AlignRight: InsertAligned("right"); break;
        case Command::LinkTag: ShowDialog(Dialog::LinkTag); break;
        case Command::ImageTag: ShowDialog(Dialog::ImageTag); break;
        case Command::Rule: c.TextPaste(QStringLiteral("<HR>")); break;
        case Command::LineBreak: c.TextPaste(QStringLiteral("<BR>\r\n")); break;
        case Command::Space: c.TextPaste(QStringLiteral("&nbsp;")); break;
        case Command::Pictograph: ShowDialog(Dialog::Pictograph); break;
        case Command::MarqueeTag: ShowDialog(Dialog::MarqueeTag); break;
        case Command::Options: ShowDialog(Dialog::Options); break;
        case Command::About: ShowDialog(Dialog::About); break;
    }
}

}  // namespace quenby::shell
