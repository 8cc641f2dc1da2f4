// The control driven the way a person drives it: keys, mouse, the input
// method and drops, on the offscreen platform.
#include <QClipboard>
#include <QCursor>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "control/engine/edit_messages.h"
#include "control/view/preedit_overlay.h"
#include "control/view/view_input.h"
#include "tests/control/view/recording_input_context.h"
#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

namespace msg = platform::messages;

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        v = MakeView(640, 200);
        v->show();
        v->setFocus();
        auto ctx = std::make_unique<TRecordingInputContext>();
        ime = ctx.get();
        v->Input().SetInputContext(std::move(ctx));
    }
    TTarnEdit& E() { return v->Editor(); }
    QPoint At(int col, int row) {
        return QPoint(v->ColumnToPixel(row, col) + 1, v->Settings().TopMargin() + (row - E().ClOffsetY) * E().Lineheight + 2);
    }
    void Commit(const QString& text) {
        QInputMethodEvent ev;
        ev.setCommitString(text);
        QCoreApplication::sendEvent(v.get(), &ev);
    }
    void Preedit(const QString& text) {
        QInputMethodEvent ev(text, {});
        QCoreApplication::sendEvent(v.get(), &ev);
    }
    // Keys whose text is not ASCII, as a keyboard layout would send them.
    void Type(const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(v.get(), &press);
        }
    }
    std::unique_ptr<TTarnEditView> v;
    TRecordingInputContext* ime = nullptr;
};

TEST_F(Input, TypingJapaneseThroughTheInputMethod) {
    SetText(*v, "ab");
    E().CurSet(1, 0, Txmovemode::normal);
    int changing = 0, changed = 0;
    v->Input().OnIMEChanging = [&] { ++changing; };
    v->Input().OnIMEChanged = [&] { ++changed; };
    Preedit(QStringLiteral("にほん"));
    EXPECT_TRUE(E().IMEChangingF);
    EXPECT_EQ(E().Text(), "ab");  // the composition is not in the document
    ASSERT_NE(v->Input().PreeditOverlay(), nullptr);
    EXPECT_TRUE(v->Input().PreeditOverlay()->isVisible());
    EXPECT_EQ(v->Input().PreeditOverlay()->Text(), QStringLiteral("にほん"));
    SaveScreenshot(v->grab().toImage(), "input-preedit");
    Commit(QStringLiteral("日本"));
    EXPECT_FALSE(E().IMEChangingF);
    EXPECT_EQ(E().Text(), J("a日本b"));
    EXPECT_EQ(E().CurposX, 5);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(v->Input().PreeditOverlay()->isVisible());
}

TEST_F(Input, CommitOutsideCp932BecomesQuestionMarks) {
    SetText(*v, "");
    Commit(QStringLiteral("a\U0001F600漢"));
    EXPECT_EQ(E().Text(), J("a?漢"));
}

TEST_F(Input, ReadOnlyCommitInsertsNothing) {
    SetText(*v, "ab");
    E().ReadOnly = true;
    Commit(QStringLiteral("日本"));
    EXPECT_EQ(E().Text(), "ab");
}

TEST_F(Input, TypedDoubleByteCharacterOverwritesOneWhole) {
    SetText(*v, "漢字x");
    E().CurSet(0, 0, Txmovemode::normal);
    E().InsMode = false;
    Type(QStringLiteral("あ"));
    EXPECT_EQ(E().Text(), J("あ字x"));
    QTest::keyClicks(v.get(), QStringLiteral("b"));
    EXPECT_EQ(E().Text(), J("あb x"));
}

TEST_F(Input, KeyPressHandlerMayDropOrChangeTheCharacter) {
    SetText(*v, "");
    v->Input().OnKeyPress = [](int& key) { key = key == 'x' ? 0 : key == 'a' ? 'A' : key; };
    QTest::keyClicks(v.get(), QStringLiteral("axb"));
    EXPECT_EQ(E().Text(), "Ab");
}

TEST_F(Input, ShiftArrowsSelect) {
    SetText(*v, "abcd\r\nefgh");
    E().CurSet(1, 0, Txmovemode::normal);
    QTest::keyClick(v.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(v.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(E().SelText(), "bc");
    QTest::keyClick(v.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(E().SelText(), "bcd\r\nefg");
    QTest::keyClick(v.get(), Qt::Key_Left);
    EXPECT_FALSE(E().Selmode());
}

TEST_F(Input, ShiftDownKeepsTheWholeSelection) {
    SetText(*v, "ab\r\ncd\r\nef");
    E().AllSel();
    QTest::keyClick(v.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(E().AllSelFlag);
    EXPECT_EQ(E().SelText(), "ab\r\ncd\r\nef");
}

TEST_F(Input, WordMovesAndWordDeletes) {
    SetText(*v, "かなカナ漢字abc");
    E().CurSet(0, 0, Txmovemode::normal);
    QTest::keyClick(v.get(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(E().CurposX, 4);
    QTest::keyClick(v.get(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(E().CurposX, 8);
    QTest::keyClick(v.get(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(E().Text(), J("かなカナabc"));
    QTest::keyClick(v.get(), Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(E().Text(), J("かなabc"));
    QTest::keyClick(v.get(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(E().CurposX, 0);
}

TEST_F(Input, ReadOnlyBlocksEditingKeysOnly) {
    SetText(*v, "abc\r\ndef");
    E().ReadOnly = true;
    QTest::keyClicks(v.get(), QStringLiteral("zz"));
    QTest::keyClick(v.get(), Qt::Key_Return);
    QTest::keyClick(v.get(), Qt::Key_Tab);
    QTest::keyClick(v.get(), Qt::Key_Delete);
    QTest::keyClick(v.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(E().Text(), "abc\r\ndef");
    QTest::keyClick(v.get(), Qt::Key_Down);
    EXPECT_EQ(E().CurposY, 1);
    QTest::keyClick(v.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(E().AllSelFlag);
}

TEST_F(Input, InsertTogglesInsModeWithTheEvent) {
    std::vector<bool> seen;
    E().OnChangeInsMode = [&](bool m) { seen.push_back(m); };
    QTest::keyClick(v.get(), Qt::Key_Insert);
    QTest::keyClick(v.get(), Qt::Key_Insert);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

TEST_F(Input, KeyDownHandlerCanCancelTheBinding) {
    SetText(*v, "abc");
    E().CurSet(0, 0, Txmovemode::normal);
    int shift = -1;
    v->Input().OnKeyDown = [&](int& key, int s) {
        shift = s;
        if (key == static_cast<int>(msg::VK_RIGHT)) key = 0;
    };
    QTest::keyClick(v.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(E().CurposX, 0);
    EXPECT_EQ(shift, kShiftMask);
}

TEST_F(Input, DialogCodeFollowsWantTabs) {
    EXPECT_EQ(v->WndProc(msg::WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
    v->Input().WantTabs = false;
    EXPECT_EQ(v->WndProc(msg::WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(Input, MouseDragSelects) {
    SetText(*v, "abcdef\r\nghijkl");
    QTest::mousePress(v.get(), Qt::LeftButton, {}, At(1, 0));
    EXPECT_TRUE(E().MouseDownF);
    QTest::mouseMove(v.get(), At(3, 1));
    QTest::mouseRelease(v.get(), Qt::LeftButton, {}, At(3, 1));
    EXPECT_FALSE(E().MouseDownF);
    EXPECT_EQ(E().SelText(), "bcdef\r\nghi");
}

TEST_F(Input, GutterPressSelectsTheRow) {
    SetText(*v, "abc\r\n\r\nxy");
    QTest::mouseClick(v.get(), Qt::LeftButton, {}, QPoint(2, At(0, 0).y()));
    EXPECT_EQ(E().SelText(), "abc\r\n");
    QTest::mouseClick(v.get(), Qt::LeftButton, {}, QPoint(2, At(0, 1).y()));
    EXPECT_EQ(E().SelText(), "\r\n");
    SetText(*v, "abc\r\n");
    QTest::mouseClick(v.get(), Qt::LeftButton, {}, QPoint(2, At(0, 1).y()));
    EXPECT_FALSE(E().Selmode());
}

// Dragging in the margin keeps selecting whole rows, the pressed row
// included, whichever way the pointer goes.
TEST_F(Input, RowSelectionDraggedInTheMarginKeepsThePressedRow) {
    SetText(*v, "r0\r\nr1\r\nr2\r\nr3\r\n");
    QTest::mousePress(v.get(), Qt::LeftButton, {}, QPoint(2, At(0, 1).y()));
    EXPECT_EQ(E().SelText(), "r1\r\n");
    QTest::mouseMove(v.get(), QPoint(2, At(0, 2).y()));
    QTest::mouseMove(v.get(), QPoint(2, At(0, 3).y()));
    EXPECT_EQ(E().SelText(), "r1\r\nr2\r\n");
    QTest::mouseMove(v.get(), QPoint(2, At(0, 0).y()));
    EXPECT_EQ(E().SelText(), "r0\r\nr1\r\n");
    QTest::mouseRelease(v.get(), Qt::LeftButton, {}, QPoint(2, At(0, 0).y()));
    EXPECT_FALSE(E().MouseDownF);
}

// Alt alone (the menu key) brings a caret scrolled out of sight back.
TEST_F(Input, AltBringsTheCaretBackIntoViewWithCaretScrollFix) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "row\r\n";
    SetText(*v, text);
    E().CaretScrollFix = true;
    E().CurSet(0, 1, Txmovemode::normal);
    v->WndProc(msg::WM_VSCROLL, msg::SB_PAGEDOWN, 0);
    v->WndProc(msg::WM_VSCROLL, msg::SB_PAGEDOWN, 0);
    ASSERT_LT(v->CaretRect().bottom(), 0);
    int keyDowns = 0;
    v->Input().OnKeyDown = [&](int&, int) { ++keyDowns; };
    QTest::keyClick(v.get(), Qt::Key_Alt);
    EXPECT_EQ(keyDowns, 1);
    EXPECT_EQ(E().CurposY, 1);
    EXPECT_GE(v->CaretRect().top(), 0);
    EXPECT_LE(v->CaretRect().bottom(), v->height());
}

TEST_F(Input, RightPressPopsTheMenuUpAndRaisesMouseDown) {
    SetText(*v, "abc");
    QMenu menu;
    menu.addAction(QStringLiteral("item"));
    v->Input().PopupMenu = &menu;
    std::vector<int> buttons;
    v->Input().OnMouseDown = [&](int b, int, int, int) { buttons.push_back(b); };
    QTest::mousePress(v.get(), Qt::RightButton, {}, At(1, 0));
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(buttons, (std::vector<int>{mbRight}));
    menu.hide();
    QTest::mouseRelease(v.get(), Qt::RightButton, {}, At(1, 0));
}

TEST_F(Input, DoubleClickRaisesDblclickAndMovesNothing) {
    SetText(*v, "abcdef");
    int dbl = 0, downs = 0;
    v->Input().OnDblclick = [&] { ++dbl; };
    v->Input().OnMouseDown = [&](int, int, int, int) { ++downs; };
    QTest::mouseClick(v.get(), Qt::LeftButton, {}, At(2, 0));
    const int afterFirst = downs;
    v->WndProc(msg::WM_LBUTTONDBLCLK, msg::MK_LBUTTON, static_cast<LPARAM>(msg::MAKELONG(At(5, 0).x(), At(5, 0).y())));
    EXPECT_EQ(dbl, 1);
    EXPECT_EQ(downs, afterFirst);
    EXPECT_EQ(E().CurposX, 2);
    EXPECT_FALSE(E().Selmode());
}

TEST_F(Input, HoldingTheButtonBelowTheTextAutoScrolls) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "line " + std::to_string(i) + "\r\n";
    E().SetText(text);
    QTest::mousePress(v.get(), Qt::LeftButton, {}, At(0, 0));
    QTest::mouseMove(v.get(), QPoint(50, v->height() - 2));
    EXPECT_EQ(v->Input().AutoScrollDirection(), TAutoScroll::down);
    const int top = E().ClOffsetY;
    for (int i = 0; i < 20; ++i) v->WndProc(msg::WM_TIMER, 1, 0);
    EXPECT_GT(E().ClOffsetY, top);
    EXPECT_GT(E().CurposY, 10);
    EXPECT_TRUE(E().SelFlag);
    EXPECT_EQ(E().GCurposY, 0);
    SaveScreenshot(v->grab().toImage(), "input-autoscroll");
    QTest::mouseRelease(v.get(), Qt::LeftButton, {}, QPoint(50, v->height() - 2));
    EXPECT_EQ(v->Input().AutoScrollDirection(), TAutoScroll::none);
}

TEST_F(Input, DraggingTheSelectionInsideMovesItAsOneUndoableStep) {
    SetText(*v, "abcXYZdef");
    E().ClearUndoRecord();
    E().SetselLine(3, 0, 6, 0);
    QTest::mousePress(v.get(), Qt::LeftButton, {}, At(4, 0));
    EXPECT_TRUE(E().Dragging());
    QTest::mouseMove(v.get(), At(8, 0));
    QTest::mouseRelease(v.get(), Qt::LeftButton, {}, At(8, 0));
    EXPECT_EQ(E().Text(), "abcdeXYZf");
    EXPECT_FALSE(E().Dragging());
    QTest::keyClick(v.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(E().Text(), "abcXYZdef");
    EXPECT_FALSE(E().Modified);
}

// A host-driven drag: the caret follows the pointer wherever it is, and
// the host drops the text itself.
TEST_F(Input, MoveSynchroMouseLetsTheCaretFollowThePointer) {
    SetText(*v, "abcXYZdef");
    E().SetselLine(3, 0, 6, 0);
    E().DragInit();
    QCursor::setPos(v->mapToGlobal(At(8, 0)));
    if (v->mapFromGlobal(QCursor::pos()) != At(8, 0)) GTEST_SKIP() << "this platform does not move the pointer";
    v->Input().MoveSynchroMouse();
    EXPECT_EQ(E().CurposX, 8);
    E().DropText(E().SelText(), true);
    E().DropFinish(true, false);
    EXPECT_EQ(E().Text(), "abcdeXYZf");
    EXPECT_FALSE(E().Dragging());
}

TEST_F(Input, PressWhileComposingCommitsFirst) {
    SetText(*v, "abcdef");
    E().CurSet(1, 0, Txmovemode::normal);
    Preedit(QStringLiteral("か"));
    ime->onComplete = [&] { Commit(QStringLiteral("家")); };
    QTest::mouseClick(v.get(), Qt::LeftButton, {}, At(5, 0));
    EXPECT_EQ(E().Text(), J("a家bcdef"));
    EXPECT_EQ(E().CurposX, 5);  // then the press placed the caret under the pointer
}

TEST_F(Input, ReconvertHandsTheReadingToTheInputMethod) {
    SetText(*v, "x漢字");
    v->Input().SetReadingFunction([](std::string_view s) { return s == J("漢字") ? J("かんじ") : std::string(); });
    E().SetselLine(1, 0, 5, 0);  // forwards
    v->Input().IMEReConvert();
    EXPECT_EQ(E().CurposX, 1);
    EXPECT_EQ(E().SelText(), J("漢字"));
    EXPECT_EQ(ime->composition, J("かんじ"));
    EXPECT_EQ(ime->calls, (std::vector<std::string>{"Open", "GetConversionStatus", "SetConversionStatus 9 8",
                                                    "SetCompositionString 9", "Notify 21 2 0", "Notify 16 0 0"}));
    // The chosen candidate replaces the selection.
    Commit(QStringLiteral("感じ"));
    EXPECT_EQ(E().Text(), J("x感じ"));
}

TEST_F(Input, ReconvertCancelsQuietly) {
    SetText(*v, "abc");
    v->Input().SetReadingFunction([](std::string_view) { return std::string(); });
    E().SetselLine(0, 0, 2, 0);
    v->Input().IMEReConvert();
    EXPECT_TRUE(ime->calls.empty());
    E().SetBoxSelMode(true);
    E().SetselLine(0, 0, 2, 0);
    v->Input().SetReadingFunction([](std::string_view) { return std::string("x"); });
    v->Input().IMEReConvert();
    EXPECT_TRUE(ime->calls.empty());
    int manual = 0;
    E().SetBoxSelMode(false);
    E().SetselLine(0, 0, 2, 0);
    v->Input().IMEReconvMode = imrManual;
    v->Input().OnIMEReConvert = [&] { ++manual; };
    v->Input().IMEReConvert();
    EXPECT_EQ(manual, 1);
    EXPECT_TRUE(ime->calls.empty());
}

TEST_F(Input, ImeStatusGoesThroughTheContext) {
    v->Input().SetImeStatus(0x19, 0x8, true);
    unsigned c = 0, s = 0;
    EXPECT_TRUE(v->Input().GetImeStatus(c, s));
    EXPECT_EQ(c, 0x19u);
    EXPECT_EQ(s, 0x8u);
    v->Input().SetInputContext(nullptr);
    EXPECT_FALSE(v->Input().GetImeStatus(c, s));
}

TEST(Reading, DictionaryGivesHiragana) {
    EXPECT_EQ(DictionaryReading(J("漢字カタカナ")), J("かんじかたかな"));
    EXPECT_EQ(DictionaryReading(""), "");
}

TEST_F(Input, DroppedFilesAreReportedJoined) {
    v->Input().DragMode = dmOLEAuto;
    v->Input().CreateWindowDropTarget();
    SetText(*v, "abc");
    std::string got;
    int calls = 0;
    v->Input().OnOLEDropFiles = [&](const std::string& f) { got = f, ++calls; };
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.htm"), QUrl::fromLocalFile("/tmp/b.htm"), QUrl::fromLocalFile("/tmp/c.htm")});
    QDragEnterEvent enter(At(1, 0), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(At(1, 0)), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &drop);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(got, "/tmp/a.htm|/tmp/b.htm|/tmp/c.htm");
    EXPECT_EQ(E().Text(), "abc");
}

TEST_F(Input, DroppedTextLandsAtThePointer) {
    v->Input().DragMode = dmOLEAuto;
    v->Input().CreateWindowDropTarget();
    SetText(*v, "abcdef");
    int dropped = 0;
    v->Input().OnOLEDropText = [&] { ++dropped; };
    QMimeData data;
    data.setText(QStringLiteral("日本"));
    QDragEnterEvent enter(At(2, 0), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &enter);
    QDragMoveEvent move(At(2, 0), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &move);
    QDropEvent drop(QPointF(At(2, 0)), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &drop);
    EXPECT_EQ(E().Text(), J("ab日本cdef"));
    EXPECT_EQ(dropped, 1);
}

// A source in another process may no longer answer for its data when the
// drop comes (seen over X11): the text it gave on entering is used.
TEST_F(Input, ADropWhoseSourceStoppedAnsweringUsesTheTextFromTheEnter) {
    v->Input().DragMode = dmOLEAuto;
    v->Input().CreateWindowDropTarget();
    SetText(*v, "abcdef");
    QMimeData entering;
    entering.setText(QStringLiteral("外"));
    QDragEnterEvent enter(At(2, 0), Qt::CopyAction, &entering, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &enter);
    QMimeData silent;
    silent.setData(QStringLiteral("text/plain"), QByteArray());
    QDropEvent drop(QPointF(At(2, 0)), Qt::CopyAction, &silent, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &drop);
    EXPECT_EQ(E().Text(), J("ab外cdef"));
    // The kept text is gone with the drag: a later empty drop adds nothing.
    QDragEnterEvent again(At(0, 0), Qt::CopyAction, &silent, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &again);
    QDropEvent drop2(QPointF(At(0, 0)), Qt::CopyAction, &silent, Qt::LeftButton, {});
    QCoreApplication::sendEvent(v.get(), &drop2);
    EXPECT_EQ(E().Text(), J("ab外cdef"));
}

TEST_F(Input, EditControlMessagesThroughTheWindow) {
    SetText(*v, "abc\r\nde");
    EXPECT_EQ(v->WndProc(msg::EM_GETLINECOUNT, 0, 0), 2);
    v->WndProc(msg::EM_SETSEL, msg::MAKELONG(1, 0), static_cast<LPARAM>(msg::MAKELONG(1, 1)));
    EXPECT_EQ(E().SelText(), "bc\r\nd");
    v->WndProc(msg::WM_CLEAR, 0, 0);
    EXPECT_EQ(E().Text(), "");
}

TEST_F(Input, PasteOutsideCp932KeepsTheRest) {
    SetText(*v, "");
    QGuiApplication::clipboard()->setText(QStringLiteral("x\U0001F600y日本"));
    QTest::keyClick(v.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(E().Text(), J("x?y日本"));
    E().SetselLine(0, 0, 3, 0);
    QTest::keyClick(v.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("x?y"));
}

}  // namespace
}  // namespace tarn::view::test
