// What the host's window tests share: one application for the program, a
// temporary program folder and registry for each test (with the control
// freshly registered in it), and answerers for message boxes and file
// dialogs that record what the program asked.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "host/common/file_dialogs.h"
#include "host/common/message_box.h"
#include "tests/qt_test_app.h"
#include "tests/platform/temp_dir.h"

namespace quenby::test {

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Message boxes answered from a queue (OK, or the last answer given), file
// dialogs from another; both record what was asked.
class Answers {
public:
    Answers() {
        previousBox_ = SetMessageBoxHandler([this](const MessageRequest& r) {
            messages.push_back(r.text);
            if (boxAnswers.empty()) return r.buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
            const MsgResult a = boxAnswers.front();
            boxAnswers.pop_front();
            return a;
        });
        previousDialog_ = SetFileDialogHandler([this](const FileDialogRequest& r) -> std::optional<QString> {
            dialogs.push_back(r);
            if (fileAnswers.empty()) return std::nullopt;
            const std::optional<QString> a = fileAnswers.front();
            fileAnswers.pop_front();
            return a;
        });
    }
    ~Answers() {
        SetMessageBoxHandler(previousBox_);
        SetFileDialogHandler(previousDialog_);
    }
    Answers(const Answers&) = delete;
    Answers& operator=(const Answers&) = delete;

    QStringList messages;
    std::deque<MsgResult> boxAnswers;
    std::vector<FileDialogRequest> dialogs;
    std::deque<std::optional<QString>> fileAnswers;  // nothing: the user cancels

private:
    MessageBoxHandler previousBox_;
    FileDialogHandler previousDialog_;
};

// A program folder and a registry of the test's own, the control
// registered in it.
class ProgramFolderFixture : public ::testing::Test {
protected:
    ProgramFolderFixture()
        : folderEnv_("QUENBY_PROGRAM_DIR", folder_.path().string()),
          registryEnv_("QUENBY_REGISTRY", (folder_.path() / "registry.txt").string()),
          tempEnv_("TEMP", (folder_.path() / "temp").string()) {
        std::filesystem::create_directory(folder_.path() / "temp");
    }

    void SetUp() override {
        const std::string cmd = std::string(QUENBY_REGSVR) + " /s " + TARNEDITX_LIBRARY;
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }

    const std::filesystem::path& Folder() const { return folder_.path(); }
    std::filesystem::path Ini() const { return folder_.path() / "Quenby.ini"; }

    testing_fs::TempDir folder_;
    ScopedEnv folderEnv_;
    ScopedEnv registryEnv_;
    ScopedEnv tempEnv_;  // the preview's temporary files stay in the test's folder
    Answers answers_;
};

}  // namespace quenby::test
