// The editor window: the document in a TarnEditX control under a menu bar,
// two toolbars and a one-tab strip, with a status bar of key states. It
// runs the menu, toolbar and context-menu commands from one table, answers
// the control's events (modified marker, undo and redo state, find, the
// context menu, Shift+Enter, tag colouring), keeps the preview up to date
// and asks about unsaved changes before a document goes.
#pragma once

#include "host/authoring/editor_port.h"
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "host/common/control_host.h"
#include "host/common/handset_profile.h"
#include "host/common/file_dialogs.h"
#include "host/shell/app_settings.h"
#include "host/shell/edit_menus.h"
#include "host/shell/find_dialog.h"
#include "host/shell/window_ports.h"

class QLabel;
class QMimeData;
class QMenu;
class QTabBar;
class QToolBar;
class QAction;

namespace quenby::menus {
class IconMenu;
}

namespace quenby::shell {

class FindingsPane;

class EditForm final : public QMainWindow, public authoring::EditorPort {
    Q_OBJECT

public:
    // settings lives as long as the window; preview and dialogs may be null.
    EditForm(AppSettings& settings, PreviewPort* preview, DialogPort* dialogs = nullptr, QWidget* parent = nullptr);
    ~EditForm() override;

    // False when the control could not be created (the window then holds
    // nothing to edit); the reason is in ControlError().
    bool HasControl() const { return control_ != nullptr; }
    QString ControlError() const { return controlError_; }
    ControlHost* Control() const { return control_.get(); }
    // The settings the window was made with (the options dialog changes them).
    AppSettings& Settings() const { return settings_; }

    // What the authoring dialogs ask of the window.
    QWidget* OwnerWindow() override { return this; }
    ControlHost& EditorControl() override { return *control_; }
    void RefreshPreview() override { RefreshTempFile(); }
    void NewDocument(const QString& templateFile) override { CreateStandardFile(templateFile); }
    void ShowFileInCaption(const QString& fileName) override { SetCaption(fileName); }

    // The first use of the window creates and loads it.
    void Form_Load();
    bool Loaded() const { return loaded_; }

    // ---- Documents ----------------------------------------------------------
    static QString Untitled() { return QStringLiteral("(無題)"); }
    QString CurrentFileName() const { return currentFileName_; }
    QString TempFileName() const { return tempFileName_; }
    // Each returns true when the document was replaced or written.
    bool CreateStandardFile(const QString& path);
    bool FileOpen(const QString& path);
    bool FileOpenAs();
    bool FileSave();
    bool FileSaveAs();
    CommonDialog CommonDialog1;
    CommonDialog CommonDialog2;

    // The caption ends with " *" while the document counts as modified.
    bool ModifiedMarker() const { return windowTitle().endsWith(QLatin1Char('*')); }
    // Asks whether to save a modified document before it is replaced or the
    // window closes: true to go on (saved, or not wanted), false to keep
    // everything as it is.
    bool ConfirmDiscard();

    // The selected text, "" when nothing is selected.
    QString GetSelText_TarnEditX1();

    // ---- Commands -------------------------------------------------------------
    // The menu handlers: index as the menu arrays have it.
    void mnuFileChild_Click(int index) { RunMenu(Menu::File, index); }
    void mnuEditChild_Click(int index) { RunMenu(Menu::Edit, index); }
    void mnuModifyChild_Click(int index) { RunMenu(Menu::Format, index); }
    void mnuInsertChild_Click(int index) { RunMenu(Menu::Insert, index); }
    void RunMenu(Menu menu, int index);
    void RunStandardButton(int index);
    void RunTagButton(int index);
    QAction* Action(Menu menu, int index) const;
    QMenu* MenuOf(Menu menu) const;
    QMenu* PopupMenu() const { return popup_; }
    QToolBar* StandardToolbar() const { return standardToolbar_; }
    QToolBar* TagToolbar() const { return tagToolbar_; }
    QAction* StandardButton(int index) const;
    QAction* TagButton(int index) const;
    FindDialog* Finder() const { return finder_; }
    menus::IconMenu* IconMenus() const { return iconMenu_.get(); }

    // ---- Preview --------------------------------------------------------------
    void RefreshTempFile();
    QTimer& AutoRefreshTimer() { return autoRefreshTimer_; }

    // ---- Page checks --------------------------------------------------------------
    // Each refresh checks the page against the target handset: the one the
    // preview's skin names, else the newest.
    const HandsetProfile* TargetHandset() const;
    void CheckPage();
    // Writes the page to the preview's temporary file and checks that copy;
    // false when there is no copy to check.
    bool SavePageAndCheck();
    FindingsPane* Findings() const { return findings_; }
    QLabel* WeightPanel() const { return weightPanel_; }
    // Puts the caret on a finding's row and column.
    void GoToFinding(int row, int column);
    // Says on the status bar how many characters of pasted or dropped data
    // become "?".
    void TellLostCharacters(const QMimeData* data);

    // ---- Toolbars and status bar --------------------------------------------------
    void StandardToolbar_Refresh();
    void Form_Resize();
    int LastShift() const { return lastShift_; }
    QLabel* InsPanel() const { return insPanel_; }

    // Geometry in normal state, in twips, as the settings file keeps it.
    int NormalTop() const { return normal_.top() * kTwipsPerPixel; }
    int NormalLeft() const { return normal_.left() * kTwipsPerPixel; }
    int NormalWidth() const { return normal_.width() * kTwipsPerPixel; }
    int NormalHeight() const { return normal_.height() * kTwipsPerPixel; }
    // The window state as the settings file keeps it: 0 normal, 1
    // minimised, 2 maximised.
    int WindowStateValue() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbars();
    void BuildStatusBar();
    void BuildFindingsPane();
    void ArrangeBands();
    void ConnectControl();
    void SetUpIconMenu();
    void Run(Command command);
    void AfterCommand(bool autoRefresh);
    void InsertAligned(const char* align);
    void ShowDialog(Dialog d);
    void TogglePreviewWindow();
    void UpdateStatusBar();
    void SetCaption(const QString& name);
    void SetUndoRedoEnabled(bool undo, bool redo);
    bool SaveTo(const QString& path);
    void RememberNormalGeometry();
    void WriteGeometry();
    void CleanUp();

    // Control events.
    void OnChangeModify(bool modified);
    void OnChangeRedoMode(bool redo);
    void OnFind(const QString& str, const QString& findchr, int index, int& x, int& len);
    void OnFindHit();
    void OnFindNoHit(const QString& findchr);
    void OnMouseUp(int button, int shift, int x, int y);
    void OnKeyPress(short& key);
    void OnUserClientDraw(int l1, int l2, int dx1, int dy1, int dx2, int dy2);

    AppSettings& settings_;
    PreviewPort* preview_;
    DialogPort* dialogs_;
    std::unique_ptr<ControlHost> control_;
    QString controlError_;
    QString currentFileName_ = Untitled();
    QString tempFileName_;
    QTimer autoRefreshTimer_;
    QTimer keyStateTimer_;
    QRect normal_;
    int lastShift_ = 0;
    bool loaded_ = false;

    std::map<std::pair<Menu, int>, QAction*> actions_;
    std::map<Menu, QMenu*> menus_;
    std::map<int, QAction*> standardButtons_;
    std::map<int, QAction*> tagButtons_;
    QMenu* popup_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QToolBar* standardToolbar_ = nullptr;
    QToolBar* tagToolbar_ = nullptr;
    QLabel* capsPanel_ = nullptr;
    QLabel* numPanel_ = nullptr;
    QLabel* insPanel_ = nullptr;
    QLabel* kanaPanel_ = nullptr;
    QLabel* weightPanel_ = nullptr;
    FindingsPane* findings_ = nullptr;
    std::vector<HandsetProfile> handsets_;
    QPointer<FindDialog> finder_;
    std::unique_ptr<menus::IconMenu> iconMenu_;
};

}  // namespace quenby::shell
