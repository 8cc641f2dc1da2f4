// Pictographs crossing the clipboard and drags: other programs see emoji,
// the control gets its bytes back, and emoji it cannot hold are counted.
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "control/view/exchange_data.h"
#include "control/view/view_input.h"
#include "platform/codepage/pictographs.h"
#include "tests/control/view/view_test_support.h"

namespace tarn::view::test {
namespace {

namespace cp = platform::codepage;

std::string CodeBytes(std::uint16_t code) {
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

class PictographExchange : public ::testing::Test {
protected:
    void SetUp() override {
        v = MakeView(640, 200);
        v->show();
        v->setFocus();
    }
    TTarnEdit& E() { return v->Editor(); }
    QPoint At(int col, int row) {
        return QPoint(v->ColumnToPixel(row, col) + 1, v->Settings().TopMargin() + (row - E().ClOffsetY) * E().Lineheight + 2);
    }
    void Paste(std::string_view into = "") {
        E().SetText(std::string(into));
        E().CurSet(0, 0, Txmovemode::normal);
        QTest::keyClick(v.get(), Qt::Key_V, Qt::ControlModifier);
    }
    void CopyAll() {
        E().SetselLine(0, 0, static_cast<int>(E().Lines.Line(0).size()) - 1, 0);
        QTest::keyClick(v.get(), Qt::Key_C, Qt::ControlModifier);
    }
    void Drop(const QMimeData& data, int col) {
        v->Input().DragMode = dmOLEAuto;
        v->Input().CreateWindowDropTarget();
        QDragEnterEvent enter(At(col, 0), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(v.get(), &enter);
        QDragMoveEvent move(At(col, 0), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(v.get(), &move);
        QDropEvent drop(QPointF(At(col, 0)), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(v.get(), &drop);
    }
    std::unique_ptr<TTarnEditView> v;
};

// Every mapped code, and the basic codes Unicode has no emoji for, each
// between ordinary characters.
std::string EveryPictograph() {
    std::string text = J("絵文字:");
    for (std::uint16_t code : cp::MappedPictographs()) text += CodeBytes(code) + "a";
    for (int n = 1; n <= 166; ++n) {
        const std::uint16_t code = cp::PictographCodeOfNumber(n);
        if (cp::PictographToUnicode(code).empty()) text += CodeBytes(code) + J("あ");
    }
    return text;
}

TEST_F(PictographExchange, CopyGivesEmojiAndPastingBackRestoresEveryByte) {
    const std::string bytes = EveryPictograph();
    E().SetText(bytes);
    CopyAll();
    const QMimeData* out = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(out, nullptr);
    // Other programs see the emoji, with the sun first.
    const QString text = out->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("絵文字:\u2600a\u2601a")));
    EXPECT_EQ(text.toStdU16String(), cp::DecodeForExchange(bytes).text);
    EXPECT_EQ(out->data(BytesMimeType()), QByteArray::fromStdString(bytes));

    Paste();
    EXPECT_EQ(E().Text(), bytes);
    EXPECT_EQ(v->LostCharacters(), 0u);

    // The same text from another program, without the control's own form.
    QGuiApplication::clipboard()->setText(text);
    Paste("x");
    EXPECT_EQ(E().Text(), bytes + "x");
    EXPECT_EQ(v->LostCharacters(), 0u);
}

TEST_F(PictographExchange, EmojiWithoutAPictographBecomeQuestionMarksAndAreCounted) {
    // A unicorn has no handset code; the sun with its emoji selector has.
    QGuiApplication::clipboard()->setText(QStringLiteral("x\U0001F984y\u2600\uFE0F日\U0001F984"));
    Paste();
    EXPECT_EQ(E().Text(), "x?y" + CodeBytes(0xF89F) + J("日?"));
    EXPECT_EQ(v->LostCharacters(), 2u);
    // The count is the last paste's.
    QGuiApplication::clipboard()->setText(QStringLiteral("\u2601"));
    Paste();
    EXPECT_EQ(E().Text(), CodeBytes(0xF8A0));
    EXPECT_EQ(v->LostCharacters(), 0u);
}

TEST_F(PictographExchange, BoxCopyKeepsItsMarkAndItsBytes) {
    E().SetText("a" + CodeBytes(0xF89F) + "b\r\nc" + CodeBytes(0xF975) + "d");
    E().SetBoxSelMode(true);
    E().SetselLine(1, 0, 3, 1);
    QTest::keyClick(v.get(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* out = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(out->hasFormat(BoxMimeType()));
    EXPECT_EQ(out->data(BytesMimeType()).toStdString(), E().SelText());
    EXPECT_TRUE(out->text().startsWith(QStringLiteral("\u2600")));
}

TEST_F(PictographExchange, DropFromAnotherProgramTurnsEmojiIntoPictographs) {
    E().SetText("abcd");
    QMimeData data;
    data.setText(QStringLiteral("\u2600\U0001F984"));
    Drop(data, 2);
    EXPECT_EQ(E().Text(), "ab" + CodeBytes(0xF89F) + "?cd");
    EXPECT_EQ(v->LostCharacters(), 1u);
}

TEST_F(PictographExchange, DropFromAControlKeepsItsBytes) {
    E().SetText("abcd");
    // Bytes no text form carries exactly: a stray byte beside a pictograph.
    const std::string bytes = CodeBytes(0xF975) + "\x80" + CodeBytes(0xF9FC);
    QMimeData data;
    PutExchangeText(data, bytes);
    Drop(data, 2);
    EXPECT_EQ(E().Text(), "ab" + bytes + "cd");
    EXPECT_EQ(v->LostCharacters(), 0u);
}

TEST_F(PictographExchange, DraggingAPictographInsideMovesItsBytes) {
    E().SetText("ab" + CodeBytes(0xF89F) + "cdef");
    E().ClearUndoRecord();
    E().SetselLine(2, 0, 4, 0);
    QTest::mousePress(v.get(), Qt::LeftButton, {}, At(3, 0));
    ASSERT_TRUE(E().Dragging());
    QTest::mouseMove(v.get(), At(7, 0));
    QTest::mouseRelease(v.get(), Qt::LeftButton, {}, At(7, 0));
    EXPECT_EQ(E().Text(), "abcde" + CodeBytes(0xF89F) + "f");
}

}  // namespace
}  // namespace tarn::view::test
