// Pasting into the editor from other programs: emoji that are pictographs
// arrive as their codes, what the code page cannot hold becomes "?", and the
// window says how many characters that was.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>

#include "edit_form_fixture.h"
#include "host/shell/paste_loss.h"
#include "platform/codepage/codepage.h"

namespace quenby::test {
namespace {

namespace tx = tarnedit;

class PasteLossTest : public EditFormFixture {
protected:
    void SetUp() override {
        EditFormFixture::SetUp();
        C().Call(tx::dispid::Clear);
    }
    void Offer(const QString& text) { QGuiApplication::clipboard()->setText(text); }
    QString Note() { return form_->statusBar()->currentMessage(); }
};

TEST_F(PasteLossTest, KeysAndTheMenuSayHowManyCharactersBecameQuestionMarks) {
    // Two Hangul syllables have no Shift_JIS code; the sun is pictograph 1.
    Offer(QString::fromUtf8("a한국\u2600b"));
    Editor()->setFocus();
    QTest::keyClick(Editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(C().Text(), QString::fromUtf8("a??") + QString::fromStdU16String(platform::codepage::ToUtf16("\xF8\x9F")) +
                              QStringLiteral("b"));
    EXPECT_EQ(Note(), shell::LostCharactersNote(2));
    EXPECT_TRUE(Note().contains(QStringLiteral("2 文字")));

    form_->statusBar()->clearMessage();
    Offer(QStringLiteral("plain"));
    QTest::keyClick(Editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_TRUE(Note().isEmpty()) << "nothing lost, nothing said";

    Offer(QString::fromUtf8("한"));
    form_->RunMenu(shell::Menu::Edit, 6);
    EXPECT_EQ(Note(), shell::LostCharactersNote(1));
}

TEST(PasteLoss, DataWithTheControlsOwnBytesLosesNothing) {
    QMimeData data;
    data.setText(QString::fromUtf8("한국"));
    EXPECT_EQ(shell::UnconvertibleCharacters(&data), 2u);
    data.setData(shell::kControlBytesMime, QByteArray("??"));
    EXPECT_EQ(shell::UnconvertibleCharacters(&data), 0u);
    EXPECT_EQ(shell::UnconvertibleCharacters(nullptr), 0u);
    EXPECT_TRUE(shell::LostCharactersNote(0).isEmpty());
}

}  // namespace
}  // namespace quenby::test
