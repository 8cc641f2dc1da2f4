// An editor window of its own for each test, in a program folder and
// registry of the test's own, with the preview recorded.
#pragma once

#include <QTest>
#include <memory>

#include "host/shell/edit_form.h"
#include "recording_windows.h"
#include "shell_test_support.h"

namespace quenby::test {

class EditFormFixture : public ProgramFolderFixture {
protected:
    void SetUp() override {
        ProgramFolderFixture::SetUp();
        settings_.TimeAutoRefresh = false;
        form_ = std::make_unique<shell::EditForm>(settings_, &preview_);
        ASSERT_TRUE(form_->HasControl()) << form_->ControlError().toStdString();
        form_->Form_Load();
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    void TearDown() override {
        if (form_) form_->hide();
        form_.reset();
    }
    ControlHost& C() { return *form_->Control(); }
    QWidget* Editor() { return C().Window(); }
    // Types into the control as a person does.
    void Type(const QString& text) {
        Editor()->setFocus();
        QTest::keyClicks(Editor(), text);
    }

    shell::AppSettings settings_;
    RecordingWindows preview_;
    std::unique_ptr<shell::EditForm> form_;
};

}  // namespace quenby::test
