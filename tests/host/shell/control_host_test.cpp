// The host's one wrapper around a control: created by ProgID through the
// registry, its events as Qt signals (in/out arguments answered through
// references), values converted at the interface.
#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>

#include "host/common/control_host.h"
#include "platform/messages/messages.h"
#include "shell_test_support.h"

namespace quenby {
namespace {

namespace tx = tarnedit;

class ControlHostTest : public test::ProgramFolderFixture {
protected:
    void SetUp() override {
        ProgramFolderFixture::SetUp();
        form_ = std::make_unique<QWidget>();
        form_->resize(400, 300);
        QString error;
        host_ = ControlHost::Create(form_.get(), std::string(), &error);
        ASSERT_TRUE(host_) << error.toStdString();
        host_->Window()->setGeometry(0, 0, 400, 300);
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    void TearDown() override {
        host_.reset();  // before the form, which holds its window
        form_.reset();
    }
    std::unique_ptr<QWidget> form_;
    std::unique_ptr<ControlHost> host_;
};

TEST_F(ControlHostTest, TheWindowLivesInTheFormAndTheReferenceSetIsApplied) {
    EXPECT_EQ(host_->Window()->parentWidget(), form_.get());
    EXPECT_EQ(host_->Get<int>(tx::dispid::Column), 999999999);
    EXPECT_TRUE(host_->Get<bool>(tx::dispid::ShowCR));
    EXPECT_FALSE(host_->Get<bool>(tx::dispid::WordWrap));
    EXPECT_EQ(host_->FontName(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(host_->FontSize(), 9);
}

TEST_F(ControlHostTest, StringsBooleansAndFailuresCrossTheInterface) {
    ASSERT_TRUE(host_->SetText(QStringLiteral("日本語\r\nline")));
    EXPECT_EQ(host_->Text(), QStringLiteral("日本語\r\nline"));
    EXPECT_EQ(host_->Function<QString>(tx::dispid::GetStr, 0, 0, 4, 0), QStringLiteral("日本"));
    ASSERT_TRUE(host_->Put(tx::dispid::ReadOnly, true));
    EXPECT_TRUE(host_->Get<bool>(tx::dispid::ReadOnly));
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ASSERT_TRUE(host_->Call(tx::dispid::SetselLine, 0, 1, 4, 1));
    EXPECT_TRUE(host_->Function<bool>(tx::dispid::GetselLine, com::ByRef(x1), com::ByRef(y1), com::ByRef(x2),
                                      com::ByRef(y2)));
    EXPECT_EQ(std::make_tuple(x1, y1, x2, y2), std::make_tuple(0, 1, 4, 1));
    // A failing member gives the default and leaves its message.
    EXPECT_FALSE(host_->Function<bool>(tx::dispid::CurSet, 0, -1, 0));
    EXPECT_EQ(host_->LastError(), QStringLiteral("インデックスがリストの範囲を超えています"));
    EXPECT_TRUE(host_->Call(tx::dispid::ResetSel));
    EXPECT_TRUE(host_->LastError().isEmpty());
    ASSERT_TRUE(host_->SetFontSize(12));
    EXPECT_EQ(host_->FontSize(), 12);
    EXPECT_FALSE(host_->SetFontSize(5000));
    EXPECT_EQ(host_->FontSize(), 12);
}

TEST_F(ControlHostTest, EventsArriveAsSignalsAndInOutAnswersReachTheControl) {
    int changes = 0;
    std::vector<bool> modify;
    QObject::connect(host_.get(), &ControlHost::change, [&] { ++changes; });
    QObject::connect(host_.get(), &ControlHost::changeModify, [&](bool m) { modify.push_back(m); });
    // Every typed "a" becomes "b"; a typed "x" is swallowed.
    QObject::connect(host_.get(), &ControlHost::keyPress, [](short& key) {
        if (key == 'a') key = 'b';
        else if (key == 'x') key = 0;
    });
    host_->Window()->setFocus();
    QTest::keyClicks(host_->Window(), QStringLiteral("axa"));
    EXPECT_EQ(host_->Text(), QStringLiteral("bb"));
    EXPECT_GE(changes, 2);
    EXPECT_EQ(modify, std::vector<bool>{true});

    // The host decides what matches: here "bb" at byte 1 of any text.
    int hits = 0;
    QObject::connect(host_.get(), &ControlHost::find, [](const QString& str, const QString& what, int, int& x, int& len) {
        const int at = static_cast<int>(str.indexOf(what));
        x = at >= 0 ? at + 1 : 0;
        len = at >= 0 ? static_cast<int>(what.size()) : len;
    });
    QObject::connect(host_.get(), &ControlHost::findHit, [&](const QString&, int x, int y, int len, int) {
        ++hits;
        EXPECT_EQ(std::make_tuple(x, y, len), std::make_tuple(0, 0, 2));
    });
    ASSERT_TRUE(host_->Call(tx::dispid::FindInit, QStringLiteral("bb")));
    ASSERT_TRUE(host_->Call(tx::dispid::FindStart));
    EXPECT_EQ(hits, 1);
    EXPECT_EQ(host_->Get<int>(tx::dispid::CurposX), 0);  // the caret at the hit
    // Nothing answered for "zz": the host hears that too.
    QStringList missed;
    QObject::connect(host_.get(), &ControlHost::findNoHit, [&](const QString& what) { missed << what; });
    ASSERT_TRUE(host_->Call(tx::dispid::FindInit, QStringLiteral("zz")));
    ASSERT_TRUE(host_->Call(tx::dispid::FindDown));
    EXPECT_EQ(missed, QStringList{QStringLiteral("zz")});
}

TEST_F(ControlHostTest, KeyEventsCarryTheShiftBits) {
    std::vector<int> shifts;
    QObject::connect(host_.get(), &ControlHost::keyDown, [&](short&, int shift) { shifts.push_back(shift); });
    host_->Window()->setFocus();
    QTest::keyClick(host_->Window(), Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_FALSE(shifts.empty());
    EXPECT_EQ(shifts.back(), tx::kShiftShift | tx::kShiftCtrl);
}

TEST_F(ControlHostTest, AStoredPropertySetIsLoadedAndAnUnreadableOneIgnored) {
    ASSERT_TRUE(host_->Put(tx::dispid::TabCount, std::int32_t{3}));
    const std::string stored = host_->SaveProperties();
    ASSERT_FALSE(stored.empty());
    QWidget other;
    QString error;
    std::unique_ptr<ControlHost> copy = ControlHost::Create(&other, stored, &error);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Get<int>(tx::dispid::TabCount), 3);
    copy.reset();
    std::unique_ptr<ControlHost> fallback = ControlHost::Create(&other, "not a property stream", &error);
    ASSERT_TRUE(fallback);
    EXPECT_EQ(fallback->Get<int>(tx::dispid::TabCount), 6);  // the reference set
}

TEST_F(ControlHostTest, WithoutARegisteredControlCreationSaysWhy) {
    test::ScopedEnv empty("QUENBY_REGISTRY", (Folder() / "empty-registry.txt").string());
    QWidget form;
    QString error;
    EXPECT_EQ(ControlHost::Create(&form, std::string(), &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("TarnEditXControl.TarnEditX"))) << error.toStdString();
}

}  // namespace
}  // namespace quenby
