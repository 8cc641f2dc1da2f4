// A host of the control as a program would be one: it registers the built
// library into a temporary registry, creates the control by ProgID (the
// registry, then the library loaded by path), places its window in a
// widget of its own, connects a sink and drives the control through Invoke
// alone. It links the platform library and Qt, never the control's classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/com/activation.h"
#include "platform/com/connection_point.h"
#include "platform/com/error_info.h"
#include "platform/com/late_bound.h"
#include "platform/com/object.h"
#include "tarnedit/tarn_edit_x.h"
#include "tests/platform/temp_dir.h"
// After the runtime's headers: Qt defines "slots" as a macro.
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace {

using namespace platform::com;
namespace tx = tarnedit;

class Sink final : public ComObject<Sink, tx::ITarnEditXEvents> {
public:
    std::vector<DISPID> raised;
    int Count(DISPID id) const { return static_cast<int>(std::count(raised.begin(), raised.end(), id)); }
    HRESULT GetTypeInfoCount(unsigned* n) noexcept override { *n = 0; return S_OK; }
    HRESULT GetTypeInfo(unsigned, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(const BSTR*, unsigned, DISPID*) noexcept override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, std::uint16_t, DISPPARAMS*, Variant*, EXCEPINFO*, unsigned*) noexcept override {
        raised.push_back(id);
        return S_OK;
    }
};

int Regsvr(const std::string& flags) {
    const std::string cmd = std::string(QUENBY_REGSVR) + " /s " + flags + " " + TARNEDITX_LIBRARY;
    return std::system(cmd.c_str());
}

class ControlHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "control_host_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    void Create() {
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(tx::kProgIdU16, &clsid), S_OK);
        EXPECT_EQ(clsid, tx::CLSID_TarnEditX);
        ASSERT_EQ(CoCreateInstance(clsid, &control_), S_OK);
        d_ = ComPtr<IDispatch>(static_cast<IDispatch*>(control_.Get()));
    }

    // The control's window, placed in the host's own widget at a geometry.
    QWidget* Place(QWidget& form, const QRect& at) {
        ComPtr<tx::ITarnEditXWindow> window;
        EXPECT_EQ(control_->QueryInterface(tx::IID_ITarnEditXWindow, reinterpret_cast<void**>(window.Put())), S_OK);
        std::uintptr_t handle = 0;
        if (!window || window->GetWindow(&handle) != S_OK) return nullptr;
        auto* editor = reinterpret_cast<QWidget*>(handle);
        if (!editor) return nullptr;
        form.resize(400, 300);
        editor->setParent(&form);
        editor->setGeometry(at);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        return editor;
    }

    // A sink through the connection point; Unadvise() takes it off.
    ComPtr<Sink> Advise() {
        ComPtr<IConnectionPointContainer> cpc;
        EXPECT_EQ(control_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(cpc.Put())), S_OK);
        if (cpc) {
            EXPECT_EQ(cpc->FindConnectionPoint(tx::IID_ITarnEditXEvents, cp_.Put()), S_OK);
        }
        ComPtr<Sink> sink = MakeObject<Sink>();
        if (cp_) {
            EXPECT_EQ(cp_->Advise(static_cast<tx::ITarnEditXEvents*>(sink.Get()), &cookie_), S_OK);
        }
        return sink;
    }
    void Unadvise() {
        ASSERT_TRUE(cp_);
        EXPECT_EQ(cp_->Unadvise(cookie_), S_OK);
        cp_.Reset();
    }

    testing_fs::RegistryFile registry_;
    ComPtr<tx::ITarnEditX> control_;
    ComPtr<IDispatch> d_;
    ComPtr<IConnectionPoint> cp_;
    DWORD cookie_ = 0;
};

TEST_F(ControlHost, CreatedByProgIdPlacedInAWidgetAndDrivenThroughInvoke) {
    ASSERT_EQ(Regsvr(""), 0);
    Create();

    QWidget form;
    QWidget* editor = Place(form, QRect(8, 8, 300, 200));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->parentWidget(), &form);
    ASSERT_EQ(CallMethod(d_.Get(), tx::dispid::ReDesign), S_OK);
    ComPtr<Sink> sink = Advise();

    ASSERT_EQ(CallMethod(d_.Get(), tx::dispid::TextPaste, BSTR(u"こんにちは\r\nworld")), S_OK);
    BSTR text;
    ASSERT_EQ(GetProperty(d_.Get(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"こんにちは\r\nworld");
    std::int32_t x = -1, y = -1;
    ASSERT_EQ(GetProperty(d_.Get(), tx::dispid::CurposX, &x), S_OK);
    ASSERT_EQ(GetProperty(d_.Get(), tx::dispid::CurposY, &y), S_OK);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(5, 1));
    EXPECT_GE(sink->Count(tx::event::OnChange), 1);
    EXPECT_EQ(sink->Count(tx::event::OnChangeModify), 1);
    EXPECT_GE(sink->Count(tx::event::OnMoveCaret), 1);
    ASSERT_EQ(CallMethod(d_.Get(), tx::dispid::SelectAll), S_OK);
    BSTR sel;
    ASSERT_EQ(GetProperty(d_.Get(), tx::dispid::SelText, &sel), S_OK);
    EXPECT_EQ(sel, text);

    // The same through the C++ interface of the loaded library.
    ASSERT_EQ(control_->put_Text(u"直接\r\ncall"), S_OK);
    ASSERT_EQ(control_->SelectAll(), S_OK);
    BSTR direct;
    ASSERT_EQ(control_->get_SelText(&direct), S_OK);
    EXPECT_EQ(direct, u"直接\r\ncall");

    // Failures keep their message across the module boundary.
    bool scrolled = false;
    EXPECT_TRUE(FAILED(CallFunction(d_.Get(), tx::dispid::CurSet, &scrolled, std::int32_t{0}, std::int32_t{-1},
                                    std::int32_t{tx::normal})));
    ErrorInfo info;
    ASSERT_EQ(GetErrorInfo(&info), S_OK);
    EXPECT_EQ(info.description, u"インデックスがリストの範囲を超えています");

    Unadvise();
    editor->setParent(nullptr);  // the control owns its window
    d_.Reset();
    control_.Reset();

    // Unregistered, the class cannot be created any more.
    ASSERT_EQ(Regsvr("/u"), 0);
    ComPtr<tx::ITarnEditX> none;
    EXPECT_EQ(CoCreateInstance(tx::CLSID_TarnEditX, &none), REGDB_E_CLASSNOTREG);
}

// Typing reaches the editor through the window's keyboard layer, and the
// host hears every key.
TEST_F(ControlHost, TypingIntoTheWindow) {
    ASSERT_EQ(Regsvr(""), 0);
    Create();
    QWidget form;
    QWidget* editor = Place(form, QRect(0, 0, 300, 200));
    ASSERT_NE(editor, nullptr);
    ComPtr<Sink> sink = Advise();
    editor->setFocus();
    QTest::keyClicks(editor, "abc");
    EXPECT_EQ(sink->Count(tx::event::OnKeyPress), 3);
    EXPECT_EQ(sink->Count(tx::event::OnKeyDown), 3);
    EXPECT_EQ(sink->Count(tx::event::OnKeyUp), 3);
    BSTR text;
    ASSERT_EQ(GetProperty(d_.Get(), DISPID_TEXT, &text), S_OK);
    EXPECT_EQ(text, u"abc");
    std::int32_t x = -1;
    ASSERT_EQ(GetProperty(d_.Get(), tx::dispid::CurposX, &x), S_OK);
    EXPECT_EQ(x, 3);
    QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EQ(sink->Count(tx::event::OnClick), 1);
    Unadvise();
    editor->setParent(nullptr);
}

}  // namespace
