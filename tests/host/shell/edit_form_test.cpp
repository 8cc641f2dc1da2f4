// The editor window as a person uses it: its menus, toolbars and context
// menu reach the control, the preview follows the commands, the control's
// events move the window's state, and the window closes with its question.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "host/common/ini_access.h"
#include "host/common/program_folder.h"
#include "host/shell/edit_form.h"
#include "host/shell/find_dialog.h"
#include "edit_form_fixture.h"

namespace quenby::shell {
namespace {

namespace tx = tarnedit;

class EditFormTest : public test::EditFormFixture {
protected:
    void SetUp() override {
        EditFormFixture::SetUp();
        C().SetText(QString());
        C().ClearUndoRecord();
        preview_.navigations.clear();
    }
    QString Text() { return C().Text(); }
    std::size_t Refreshes() const { return preview_.navigations.size(); }
};

TEST_F(EditFormTest, MenusKeepTheirIndexesCaptionsAndShortcuts) {
    QStringList tops;
    for (QAction* a : form_->menuBar()->actions()) tops << a->text();
    EXPECT_EQ(tops, (QStringList{QStringLiteral(" ファイル(&F)"), QStringLiteral(" 編集(&E)"), QStringLiteral(" 表示(&V)"),
                                 QStringLiteral(" 書式(&O)"), QStringLiteral(" HTMLタグ挿入(&I)"),
                                 QStringLiteral(" ツール(&T)"), QStringLiteral(" ヘルプ(&H)")}));
    EXPECT_EQ(form_->Action(Menu::File, 2)->text(), QStringLiteral("開く(&O)..."));
    EXPECT_EQ(form_->Action(Menu::File, 2)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(form_->Action(Menu::View, 10)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(form_->Action(Menu::File, 15)->text(), QStringLiteral("終了(&X)"));
    // Gaps keep their places: hidden items and separators.
    for (int i = 7; i <= 14; ++i) EXPECT_FALSE(form_->Action(Menu::File, i)->isVisible()) << i;
    EXPECT_TRUE(form_->Action(Menu::File, 6)->isSeparator());
    EXPECT_TRUE(form_->Action(Menu::Edit, 12)->isSeparator());
    EXPECT_FALSE(form_->Action(Menu::Tools, 9)->isVisible());
    EXPECT_TRUE(form_->Action(Menu::Tools, 10)->isVisible());
    EXPECT_FALSE(form_->Action(Menu::Help, 3)->isVisible());
    // The toolbar submenu and the checks at start.
    EXPECT_EQ(form_->MenuOf(Menu::ViewToolbar)->title(), QStringLiteral("ツール バー(&T)"));
    EXPECT_TRUE(form_->Action(Menu::ViewToolbar, 1)->isChecked());
    EXPECT_TRUE(form_->Action(Menu::View, 2)->isChecked());
    EXPECT_TRUE(form_->Action(Menu::View, 5)->isChecked());
    // A new document starts with nothing to undo or redo.
    EXPECT_FALSE(form_->Action(Menu::Edit, 1)->isEnabled());
    EXPECT_FALSE(form_->Action(Menu::Edit, 2)->isEnabled());
}

TEST_F(EditFormTest, InsertAndFormatCommandsPasteTheirMarkup) {
    form_->mnuInsertChild_Click(3);
    form_->mnuInsertChild_Click(5);
    form_->mnuInsertChild_Click(6);
    EXPECT_EQ(Text(), QStringLiteral("<HR><BR>\r\n&nbsp;"));
    C().SetText(QStringLiteral("abc"));
    C().Call(tx::dispid::SelectAll);
    form_->mnuModifyChild_Click(9);
    EXPECT_EQ(Text(), QStringLiteral("<DIV align=\"center\">abc</DIV>"));
    // With nothing selected the DIV is empty.
    C().SetText(QString());
    form_->mnuModifyChild_Click(8);
    form_->mnuModifyChild_Click(10);
    EXPECT_EQ(Text(), QStringLiteral("<DIV align=\"left\"></DIV><DIV align=\"right\"></DIV>"));
    // The tag toolbar runs the same commands.
    C().SetText(QString());
    form_->RunTagButton(3);
    form_->RunTagButton(9);
    EXPECT_EQ(Text(), QStringLiteral("<HR><BR>\r\n"));
}

TEST_F(EditFormTest, EditCommandsReachTheControl) {
    Type(QStringLiteral("hello"));
    form_->mnuEditChild_Click(13);  // select all
    form_->mnuEditChild_Click(5);   // copy
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello"));
    form_->mnuEditChild_Click(7);  // delete
    EXPECT_EQ(Text(), QString());
    form_->mnuEditChild_Click(6);  // paste
    form_->mnuEditChild_Click(6);
    EXPECT_EQ(Text(), QStringLiteral("hellohello"));
    form_->mnuEditChild_Click(13);
    form_->mnuEditChild_Click(4);  // cut
    EXPECT_EQ(Text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hellohello"));
}

TEST_F(EditFormTest, PasteIsSkippedWhileCtrlWasTheLastShiftState) {
    QApplication::clipboard()->setText(QStringLiteral("X"));
    Editor()->setFocus();
    // Ctrl+V in the control pastes by the control's own keys, once: the
    // window's shortcut does not run as well.
    QTest::keyClick(Editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("X"));
    // While Ctrl is held the menu's paste does nothing.
    // As the window system reports them: a modifier key's event carries
    // the state before it (Qt turns that into the state after).
    QKeyEvent ctrlDown(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(Editor(), &ctrlDown);
    EXPECT_EQ(form_->LastShift(), tx::kShiftCtrl);
    form_->mnuEditChild_Click(6);
    EXPECT_EQ(Text(), QStringLiteral("X"));
    // Once Ctrl is up it pastes.
    QKeyEvent ctrlUp(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
    QApplication::sendEvent(Editor(), &ctrlUp);
    EXPECT_EQ(form_->LastShift(), 0);
    form_->mnuEditChild_Click(6);
    EXPECT_EQ(Text(), QStringLiteral("XX"));
}

TEST_F(EditFormTest, UndoAndRedoFollowTheControl) {
    QAction* undo = form_->Action(Menu::Edit, 1);
    QAction* redo = form_->Action(Menu::Edit, 2);
    Type(QStringLiteral("a"));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_TRUE(form_->StandardButton(9)->isEnabled());
    form_->mnuEditChild_Click(1);
    EXPECT_EQ(Text(), QString());
    EXPECT_TRUE(redo->isEnabled());
    EXPECT_TRUE(form_->StandardButton(10)->isEnabled());
    form_->mnuEditChild_Click(2);
    EXPECT_EQ(Text(), QStringLiteral("a"));
    EXPECT_FALSE(redo->isEnabled());
    // Ctrl+Z is the control's own, Ctrl+Y the window's.
    Editor()->setFocus();
    QTest::keyClick(Editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), QString());
    QTest::keyClick(Editor(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("a"));
    // The toolbar's buttons do the same.
    form_->RunStandardButton(9);
    EXPECT_EQ(Text(), QString());
    form_->RunStandardButton(10);
    EXPECT_EQ(Text(), QStringLiteral("a"));
}

TEST_F(EditFormTest, TheModifiedMarkerComesWithTheFirstEditAndGoesWithASave) {
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Quenby - (無題)"));
    Type(QStringLiteral("x"));
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Quenby - (無題) *"));
    Type(QStringLiteral("y"));
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Quenby - (無題) *"));
    answers_.fileAnswers.push_back(FromPath(Folder() / "m.htm"));
    form_->mnuFileChild_Click(3);
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Quenby - ") + FromPath(Folder() / "m.htm"));
    EXPECT_EQ(testing_fs::ReadAll(Folder() / "m.htm"), "xy");
}

TEST_F(EditFormTest, AutoRefreshFollowsTheCommandsThatAskForIt) {
    settings_.MouseAutoRefresh = true;
    form_->mnuInsertChild_Click(3);  // auto
    EXPECT_EQ(Refreshes(), 1u);
    form_->mnuEditChild_Click(13);  // not auto
    form_->mnuEditChild_Click(5);
    EXPECT_EQ(Refreshes(), 1u);
    // A standard button refreshes after its command; the preview button
    // therefore twice; Copy by button refreshes where the menu did not.
    form_->RunStandardButton(6);
    EXPECT_EQ(Refreshes(), 2u);
    form_->RunStandardButton(13);
    EXPECT_EQ(Refreshes(), 4u);
    // The print button has no command and still refreshes.
    form_->RunStandardButton(12);
    EXPECT_EQ(Refreshes(), 5u);
    // An undo button whose item is disabled does nothing at all.
    C().ClearUndoRecord();
    ASSERT_FALSE(form_->Action(Menu::Edit, 1)->isEnabled());
    form_->RunStandardButton(9);
    EXPECT_EQ(Refreshes(), 5u);
    // A tag button refreshes once, as its menu command does.
    form_->RunTagButton(1);  // the link dialog is not there: no command, no refresh
    form_->RunTagButton(3);
    EXPECT_EQ(Refreshes(), 6u);
    settings_.MouseAutoRefresh = false;
    form_->mnuInsertChild_Click(3);
    form_->RunStandardButton(6);
    EXPECT_EQ(Refreshes(), 6u);
    // The preview command always refreshes.
    form_->RunMenu(Menu::View, 10);
    EXPECT_EQ(Refreshes(), 7u);
    // The tag button replaced the selected rule; the last one was not
    // refreshed until the preview command.
    EXPECT_EQ(testing_fs::ReadAll(ToPath(form_->TempFileName())), "<HR><HR>");
}

TEST_F(EditFormTest, FindThroughTheWindowsCallbacks) {
    C().SetText(QStringLiteral("日本 abc\r\nxyz abc"));
    form_->mnuEditChild_Click(9);
    FindDialog* find = form_->Finder();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_FALSE(find->FindButton()->isEnabled());
    QTest::keyClicks(find->Text1(), QStringLiteral("abc"));
    EXPECT_TRUE(find->FindButton()->isEnabled());
    C().Function<bool>(tx::dispid::CurSet, 0, 0, 0);
    find->FindButton_Click();
    // The hit after the double-byte characters, at its byte column.
    EXPECT_EQ(C().Get<int>(tx::dispid::CurposY), 0);
    EXPECT_EQ(C().Get<int>(tx::dispid::CurposX), 5);
    find->FindButton_Click();
    EXPECT_EQ(C().Get<int>(tx::dispid::CurposY), 1);
    EXPECT_EQ(C().Get<int>(tx::dispid::CurposX), 4);
    EXPECT_TRUE(answers_.messages.isEmpty());
    find->FindButton_Click();
    ASSERT_EQ(answers_.messages.size(), 1);
    EXPECT_EQ(answers_.messages[0], QStringLiteral("\"abc\" が見つかりません。"));
    // Cancel hides; the text stays for the next time.
    QTest::mouseClick(find->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(find->isVisible());
    form_->mnuEditChild_Click(9);
    EXPECT_EQ(form_->Finder(), find);
    EXPECT_EQ(find->Text1()->text(), QStringLiteral("abc"));
    // Searching up.
    find->Up()->setChecked(true);
    C().Function<bool>(tx::dispid::CurSet, 7, 1, 0);
    find->FindButton_Click();
    EXPECT_EQ(C().Get<int>(tx::dispid::CurposY), 1);
    EXPECT_EQ(C().Get<int>(tx::dispid::CurposX), 4);
}

TEST_F(EditFormTest, ShiftEnterGivesABreakTagAndALineBreak) {
    Type(QStringLiteral("ab"));
    QTest::keyClick(Editor(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Text(), QStringLiteral("ab<BR>\r\n"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Text(), QStringLiteral("ab<BR>\r\n\r\n"));
}

TEST_F(EditFormTest, ARightClickOpensTheContextMenu) {
    QMenu* popup = form_->PopupMenu();
    QStringList captions;
    for (QAction* a : popup->actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{QStringLiteral("元に戻す(&U)"), QStringLiteral("やり直し(&R)"), QStringLiteral("-"),
                                     QStringLiteral("切り取り(&T)"), QStringLiteral("コピー(&C)"), QStringLiteral("貼り付け(&P)"),
                                     QStringLiteral("削除(&L)"), QStringLiteral("-"), QStringLiteral("すべて選択(&A)")}));
    QTest::mouseClick(Editor(), Qt::RightButton, {}, QPoint(40, 20));
    EXPECT_TRUE(popup->isVisible());
    // Its items run the edit commands.
    Type(QStringLiteral("q"));
    popup->actions()[8]->trigger();
    popup->actions()[6]->trigger();
    EXPECT_EQ(Text(), QString());
    popup->hide();
}

TEST_F(EditFormTest, ToolbarCaptionsFollowTheSetting) {
    QToolBar* bar = form_->StandardToolbar();
    settings_.ToolbarCaption = true;
    form_->StandardToolbar_Refresh();
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(form_->StandardButton(1)->text(), QStringLiteral(" 新規作成 "));
    EXPECT_EQ(form_->StandardButton(1)->toolTip(), QStringLiteral("新しいファイルを作成します。"));
    settings_.ToolbarCaption = false;
    form_->StandardToolbar_Refresh();
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(form_->TagToolbar()->toolButtonStyle(), Qt::ToolButtonIconOnly);
}

TEST_F(EditFormTest, TheViewMenuShowsAndHidesBarsAndThePreview) {
    form_->RunMenu(Menu::ViewToolbar, 1);
    EXPECT_FALSE(form_->Action(Menu::ViewToolbar, 1)->isChecked());
    EXPECT_FALSE(form_->StandardToolbar()->isVisible());
    form_->Action(Menu::ViewToolbar, 1)->trigger();  // as a click does
    EXPECT_TRUE(form_->StandardToolbar()->isVisible());
    form_->RunMenu(Menu::View, 2);
    EXPECT_FALSE(form_->statusBar()->isVisible());
    form_->RunMenu(Menu::View, 2);
    EXPECT_TRUE(form_->statusBar()->isVisible());
    // The preview window: unloaded, then loaded, refreshed and shown.
    settings_.MouseAutoRefresh = true;
    preview_.calls.clear();
    form_->RunMenu(Menu::View, 5);
    EXPECT_FALSE(form_->Action(Menu::View, 5)->isChecked());
    form_->RunMenu(Menu::View, 5);
    EXPECT_TRUE(form_->Action(Menu::View, 5)->isChecked());
    EXPECT_EQ(Refreshes(), 1u);
}

TEST_F(EditFormTest, TheInsPanelFollowsInsertMode) {
    EXPECT_TRUE(form_->InsPanel()->isEnabled());
    Editor()->setFocus();
    QTest::keyClick(Editor(), Qt::Key_Insert);
    EXPECT_FALSE(form_->InsPanel()->isEnabled());
    QTest::keyClick(Editor(), Qt::Key_Insert);
    EXPECT_TRUE(form_->InsPanel()->isEnabled());
}

TEST_F(EditFormTest, NewAndOpenFromTheKeyboardAskBeforeAChangedDocumentGoes) {
    testing_fs::WriteAll(Folder() / "o.htm", "opened");
    Type(QStringLiteral("draft"));
    answers_.fileAnswers.push_back(FromPath(Folder() / "o.htm"));
    answers_.boxAnswers.push_back(MsgResult::Cancel);
    QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("draft"));
    ASSERT_EQ(answers_.messages.size(), 1);
    answers_.fileAnswers.push_back(FromPath(Folder() / "o.htm"));
    answers_.boxAnswers.push_back(MsgResult::No);
    QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("opened"));
}

TEST_F(EditFormTest, ClosingAnswersYesNoAndCancel) {
    // Cancel: stays, geometry written all the same.
    Type(QStringLiteral("t"));
    answers_.boxAnswers.push_back(MsgResult::Cancel);
    EXPECT_FALSE(form_->close());
    EXPECT_EQ(GetINIValue(kSectionQuenby, QStringLiteral("State"), Ini()), QStringLiteral("0"));
    // Yes, then the save dialog cancelled: the text must not be lost.
    answers_.boxAnswers.push_back(MsgResult::Yes);
    EXPECT_FALSE(form_->close());
    EXPECT_TRUE(form_->isVisible());
    // Yes with a name: saved, then closed.
    answers_.boxAnswers.push_back(MsgResult::Yes);
    answers_.fileAnswers.push_back(FromPath(Folder() / "closed.htm"));
    EXPECT_TRUE(form_->close());
    EXPECT_EQ(testing_fs::ReadAll(Folder() / "closed.htm"), "t");
    EXPECT_EQ(answers_.messages.size(), 3);
    EXPECT_EQ(answers_.messages[0], QStringLiteral("ファイル (無題) の内容は変更されています。\r\n\r\n変更を保存しますか?"));
}

TEST_F(EditFormTest, ClosingAnUnchangedDocumentAsksNothing) {
    EXPECT_TRUE(form_->close());
    EXPECT_TRUE(answers_.messages.isEmpty());
}

}  // namespace
}  // namespace quenby::shell

namespace quenby::shell {
namespace {

// Pictures of the window for a person to look at: a page with its tags
// coloured, every drop-down menu with its icons, the toolbars with and
// without captions.
TEST_F(EditFormTest, ScreenshotsOfTheWindowAndItsMenus) {
    const QDir out(QStringLiteral(QUENBY_SCREENSHOT_DIR));
    QDir().mkpath(out.path());
    settings_.HTMLTagList = QStringList{QStringLiteral("A HREF NAME"), QStringLiteral("/A"), QStringLiteral("FONT COLOR"),
                                        QStringLiteral("/FONT"), QStringLiteral("BR"), QStringLiteral("IMG SRC ALT")};
    settings_.CommentTagList = QStringList{QStringLiteral("<!--*-->")};
    settings_.HTMLTagColor = RGB(0, 0, 255);
    settings_.HTMLTagColor2 = RGB(170, 0, 0);
    settings_.CommentTagColor = RGB(255, 128, 0);
    C().SetText(QStringLiteral("<!-- トップページ -->\r\n<A href=\"menu.html\" accesskey=\"1\">メニュー</A><BR>\r\n"
                               "<FONT color=\"#FF0000\">お知らせ</FONT><BR>\r\n<IMG src=\"logo.gif\" alt=\"ロゴ\"><BR>"));
    settings_.ToolbarCaption = true;
    form_->StandardToolbar_Refresh();
    form_->resize(900, 420);
    QTest::qWait(0);
    const QImage window = form_->grab().toImage();
    EXPECT_TRUE(window.save(out.filePath(QStringLiteral("editor-window.png"))));
    settings_.ToolbarCaption = false;
    form_->StandardToolbar_Refresh();
    EXPECT_TRUE(form_->grab(QRect(0, 0, 900, 90)).save(out.filePath(QStringLiteral("editor-toolbars-plain.png"))));
    int shown = 0;
    for (const TopMenu& top : TopMenus()) {
        QMenu* menu = form_->MenuOf(top.menu);
        menu->popup(form_->mapToGlobal(QPoint(10, 30)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        const QImage picture = menu->grab().toImage();
        EXPECT_GT(picture.width(), 60);
        shown += picture.save(out.filePath(QStringLiteral("editor-menu-%1.png").arg(static_cast<int>(top.menu))));
        menu->hide();
    }
    EXPECT_EQ(shown, 7);
}

}  // namespace
}  // namespace quenby::shell
