#include <gtest/gtest.h>

#include <stdexcept>

#include "dispatch_test_helpers.h"
#include "platform/com/dispatch_impl.h"
#include "platform/com/error_info.h"
#include "platform/com/late_bound.h"
#include "platform/com/object.h"
#include "platform/com/utf.h"

namespace com = platform::com;
using com::Variant;
using namespace testing_com;

namespace {

struct ISample : com::IDispatch {
    static constexpr com::IID kIid{0x5A3E47C1, 0x0D62, 0x4B0B, {0x8E, 0x61, 0x4C, 0x7A, 0x11, 0x20, 0x9F, 0x01}};
    using Base = com::IDispatch;
};

enum class Shade { Light = 0, Dark = 1 };

class Sample final : public com::ComObject<Sample, com::DispatchImpl<Sample, ISample>> {
public:
    static const com::DispatchTable<Sample>& DispatchMembers();

    std::int32_t Add(std::int32_t a, std::int32_t b) { return a + b; }
    void Swap(std::int32_t& x, std::int32_t& y) { std::swap(x, y); }
    bool Toggle(bool& flag) {
        flag = !flag;
        return flag;
    }
    void Rename(com::BSTR& name, std::int16_t& count) {
        name += u"!";
        ++count;
    }
    com::BSTR Text() const { return text_; }
    void SetText(const com::BSTR& t) { text_ = t; }
    void Fail() { throw std::runtime_error("the sample failed: \xE5\xA4\xB1\xE6\x95\x97"); }
    void FailWithCode() { throw com::ComError(com::E_INVALIDARG, std::u16string_view(u"index out of range")); }

    com::BSTR text_;
    com::OLE_COLOR color_ = com::Rgb(255, 255, 255);
    Shade shade_ = Shade::Light;
    std::uint8_t step_ = 2;
    com::ComPtr<com::IDispatch> font_;
    int fontPutRefs = 0;
    int calls = 0;
};

const com::DispatchTable<Sample>& Sample::DispatchMembers() {
    static const com::DispatchTable<Sample> table(ISample::kIid, u"ISample", {
        com::Method(1, u"Add", {u"a", u"b"}, &Sample::Add),
        com::Method(2, u"Swap", {u"x", u"y"}, &Sample::Swap),
        com::Method(3, u"Toggle", {u"flag"}, &Sample::Toggle),
        com::Method(4, u"Rename", {u"name", u"count"}, &Sample::Rename, com::Hidden),
        com::Property(com::DISPID_TEXT, u"Text", &Sample::Text, &Sample::SetText),
        com::Property(com::DISPID_BACKCOLOR, u"Color", [](Sample& s) { return s.color_; },
                      [](Sample& s, com::OLE_COLOR c) { s.color_ = c; }),
        com::Property(5, u"Shade", [](Sample& s) { return s.shade_; }, [](Sample& s, Shade v) { s.shade_ = v; }),
        com::Property(6, u"ScrollStep", [](Sample& s) { return s.step_; },
                      [](Sample& s, std::uint8_t v) { s.step_ = v; }, com::Hidden),
        com::ReadOnlyProperty(7, u"Calls", [](Sample& s) { return static_cast<std::int32_t>(++s.calls); }),
        com::Method(8, u"Fail", &Sample::Fail),
        com::Method(9, u"FailWithCode", &Sample::FailWithCode),
        com::PropertyWithRef(com::DISPID_FONT, u"Font", [](Sample& s) { return s.font_; },
                             [](Sample& s, com::ComPtr<com::IDispatch> f) { s.font_ = std::move(f); },
                             [](Sample& s, com::ComPtr<com::IDispatch> f) {
                                 s.font_ = std::move(f);
                                 ++s.fontPutRefs;
                             }),
    });
    return table;
}

class DispatchTable : public ::testing::Test {
protected:
    com::ComPtr<Sample> sample = com::MakeObject<Sample>();
    com::IDispatch* d = sample.Get();
};

}  // namespace

TEST_F(DispatchTable, GetIDsOfNamesIgnoresCase) {
    EXPECT_EQ(IdOf(d, u"Add"), 1);
    EXPECT_EQ(IdOf(d, u"aDD"), 1);
    EXPECT_EQ(IdOf(d, u"TEXT"), com::DISPID_TEXT);
    EXPECT_EQ(IdOf(d, u"font"), com::DISPID_FONT);

    com::BSTR names[] = {u"swap", u"Y", u"x", u"z"};
    com::DISPID ids[4];
    EXPECT_EQ(d->GetIDsOfNames(names, 4, ids), com::DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 2);
    EXPECT_EQ(ids[1], 1);  // parameters are numbered by position
    EXPECT_EQ(ids[2], 0);
    EXPECT_EQ(ids[3], com::DISPID_UNKNOWN);

    com::BSTR unknown = u"Subtract";
    com::DISPID id = 0;
    EXPECT_EQ(d->GetIDsOfNames(&unknown, 1, &id), com::DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, com::DISPID_UNKNOWN);
}

TEST_F(DispatchTable, MethodCallCoercesArgumentsAndReturnsTheResult) {
    CallResult r = CallMethod(d, 1, {Variant::I4(40), Variant::Bstr(u"2")});
    ASSERT_EQ(r.hr, com::S_OK);
    EXPECT_EQ(r.result.vt(), com::VT_I4);
    EXPECT_EQ(*r.result.If<std::int32_t>(), 42);
}

TEST_F(DispatchTable, ArgumentsArriveInDeclarationOrder) {
    // Rename(name, count): a reversed binding would hand the name a short.
    com::BSTR name = u"a";
    std::int16_t count = 1;
    CallResult r = CallMethod(d, 4, {Variant::Ref(name), Variant::Ref(count)});
    ASSERT_EQ(r.hr, com::S_OK);
    EXPECT_EQ(name, u"a!");
    EXPECT_EQ(count, 2);
}

TEST_F(DispatchTable, WrongArgumentCountIsRefused) {
    EXPECT_EQ(CallMethod(d, 1, {Variant::I4(1)}).hr, com::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(CallMethod(d, 1, {Variant::I4(1), Variant::I4(2), Variant::I4(3)}).hr, com::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(CallMethod(d, 8, {Variant::I4(1)}).hr, com::DISP_E_BADPARAMCOUNT);
}

TEST_F(DispatchTable, WrongArgumentTypeNamesTheArgument) {
    CallResult r = CallMethod(d, 1, {Variant::I4(1), Variant::Bstr(u"two")});
    EXPECT_EQ(r.hr, com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(r.argErr, 0u);  // b is the last argument, so first in rgvarg
    r = CallMethod(d, 1, {Variant::Bstr(u"one"), Variant::I4(2)});
    EXPECT_EQ(r.hr, com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(r.argErr, 1u);
    r = CallMethod(d, 1, {Variant::I4(1), Variant::Bstr(u"99999999999")});
    EXPECT_EQ(r.hr, com::DISP_E_OVERFLOW);
    EXPECT_EQ(r.argErr, 0u);
}

TEST_F(DispatchTable, UnknownDispidOrKindIsMemberNotFound) {
    EXPECT_EQ(CallMethod(d, 999).hr, com::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Put(d, 7, Variant::I4(1)).hr, com::DISP_E_MEMBERNOTFOUND);  // read-only
    EXPECT_EQ(Put(d, com::DISPID_TEXT, Variant::Bstr(u"x"), com::DISPATCH_PROPERTYPUTREF).hr,
              com::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(d, 1, 0, {Variant::I4(1), Variant::I4(2)}).hr, com::DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchTable, ByReferenceArgumentsAreWrittenBack) {
    std::int32_t x = 1, y = 2;
    ASSERT_EQ(CallMethod(d, 2, {Variant::Ref(x), Variant::Ref(y)}).hr, com::S_OK);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 1);

    com::VARIANT_BOOL flag = com::VARIANT_FALSE;
    CallResult r = CallMethod(d, 3, {Variant::Ref(flag, com::VT_BOOL)});
    ASSERT_EQ(r.hr, com::S_OK);
    EXPECT_EQ(flag, com::VARIANT_TRUE);
    EXPECT_EQ(*r.result.If<std::int16_t>(), com::VARIANT_TRUE);
}

TEST_F(DispatchTable, ByReferenceVariantsAreWrittenBackAsTheDeclaredType) {
    Variant x = Variant::Bstr(u"5"), y;  // an empty variant is an out-only argument
    ASSERT_EQ(CallMethod(d, 2, {Variant::Ref(x), Variant::Ref(y)}).hr, com::S_OK);
    EXPECT_EQ(x.vt(), com::VT_I4);
    EXPECT_EQ(*x.If<std::int32_t>(), 0);
    EXPECT_EQ(y.vt(), com::VT_I4);
    EXPECT_EQ(*y.If<std::int32_t>(), 5);
}

TEST_F(DispatchTable, ByReferenceOfTheWrongTypeIsRefused) {
    std::int16_t x = 1;
    std::int32_t y = 2;
    CallResult r = CallMethod(d, 2, {Variant::Ref(x), Variant::Ref(y)});
    EXPECT_EQ(r.hr, com::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(r.argErr, 1u);
    EXPECT_EQ(y, 2);  // nothing written when the call did not happen
}

TEST_F(DispatchTable, PropertyPutUsesTheNamedArgument) {
    ASSERT_EQ(Put(d, com::DISPID_TEXT, Variant::Bstr(u"hello")).hr, com::S_OK);
    EXPECT_EQ(sample->text_, u"hello");
    CallResult r = Get(d, com::DISPID_TEXT);
    ASSERT_EQ(r.hr, com::S_OK);
    EXPECT_EQ(*r.result.If<com::BSTR>(), u"hello");

    // Without the named argument the value is missing.
    Variant value = Variant::Bstr(u"x");
    com::DISPPARAMS unnamed{&value, nullptr, 1, 0};
    EXPECT_EQ(d->Invoke(com::DISPID_TEXT, com::DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr, nullptr),
              com::DISP_E_PARAMNOTFOUND);
    // Other named arguments are not offered.
    com::DISPID other = 0;
    com::DISPPARAMS named{&value, &other, 1, 1};
    EXPECT_EQ(d->Invoke(com::DISPID_TEXT, com::DISPATCH_PROPERTYPUT, &named, nullptr, nullptr, nullptr),
              com::DISP_E_NONAMEDARGS);
    EXPECT_EQ(d->Invoke(1, com::DISPATCH_METHOD, &named, nullptr, nullptr, nullptr), com::DISP_E_NONAMEDARGS);
    EXPECT_EQ(sample->text_, u"hello");
}

TEST_F(DispatchTable, ColoursEnumsAndBytesTravelAsTheirTypes) {
    ASSERT_EQ(Put(d, com::DISPID_BACKCOLOR, Variant::I4(static_cast<std::int32_t>(0x80000005u))).hr, com::S_OK);
    EXPECT_EQ(sample->color_.value, 0x80000005u);
    ASSERT_EQ(Put(d, 5, Variant::I2(1)).hr, com::S_OK);
    EXPECT_EQ(sample->shade_, Shade::Dark);
    CallResult r = Get(d, 5);
    EXPECT_EQ(r.result.vt(), com::VT_I4);
    EXPECT_EQ(Put(d, 6, Variant::I4(256)).hr, com::DISP_E_OVERFLOW);
    EXPECT_EQ(sample->step_, 2);
    ASSERT_EQ(Put(d, 6, Variant::I4(7)).hr, com::S_OK);
    EXPECT_EQ(sample->step_, 7);
}

TEST_F(DispatchTable, PutByReferenceReachesItsOwnSetter) {
    com::ComPtr<Sample> font = com::MakeObject<Sample>();
    ASSERT_EQ(Put(d, com::DISPID_FONT, Variant::Dispatch(font), com::DISPATCH_PROPERTYPUTREF).hr, com::S_OK);
    EXPECT_EQ(sample->fontPutRefs, 1);
    ASSERT_EQ(Put(d, com::DISPID_FONT, Variant::Dispatch(font)).hr, com::S_OK);
    EXPECT_EQ(sample->fontPutRefs, 1);
    CallResult r = Get(d, com::DISPID_FONT);
    ASSERT_EQ(r.result.vt(), com::VT_DISPATCH);
    EXPECT_EQ(r.result.If<com::ComPtr<com::IDispatch>>()->Get(), static_cast<com::IDispatch*>(font.Get()));
}

TEST_F(DispatchTable, AThrowingMemberBecomesAnExceptionWithItsMessage) {
    com::ClearErrorInfo();
    CallResult r = CallMethod(d, 8);
    EXPECT_EQ(r.hr, com::DISP_E_EXCEPTION);
    EXPECT_EQ(r.excep.scode, com::E_UNEXPECTED);
    EXPECT_EQ(r.excep.bstrDescription, u"the sample failed: \u5931\u6557");
    EXPECT_EQ(r.excep.bstrSource, u"ISample");
    com::ErrorInfo info;
    ASSERT_EQ(com::GetErrorInfo(&info), com::S_OK);
    EXPECT_EQ(info.description, u"the sample failed: \u5931\u6557");
    EXPECT_EQ(com::GetErrorInfo(&info), com::S_FALSE);  // taken, not copied

    r = CallMethod(d, 9);
    EXPECT_EQ(r.hr, com::DISP_E_EXCEPTION);
    EXPECT_EQ(r.excep.scode, com::E_INVALIDARG);
    EXPECT_EQ(r.excep.bstrDescription, u"index out of range");

    // No EXCEPINFO to fill is no reason to let the exception out.
    com::DISPPARAMS none;
    EXPECT_EQ(d->Invoke(8, com::DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), com::DISP_E_EXCEPTION);
}

TEST_F(DispatchTable, MalformedParametersAreRefused) {
    com::DISPPARAMS missingArray{nullptr, nullptr, 2, 0};
    EXPECT_EQ(d->Invoke(1, com::DISPATCH_METHOD, &missingArray, nullptr, nullptr, nullptr), com::E_INVALIDARG);
    Variant v;
    com::DISPPARAMS tooManyNamed{&v, nullptr, 1, 2};
    EXPECT_EQ(d->Invoke(1, com::DISPATCH_METHOD, &tooManyNamed, nullptr, nullptr, nullptr), com::E_INVALIDARG);
    EXPECT_EQ(d->Invoke(8, com::DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), com::DISP_E_EXCEPTION);
}

TEST_F(DispatchTable, TypeInformationListsTheTable) {
    unsigned count = 0;
    ASSERT_EQ(d->GetTypeInfoCount(&count), com::S_OK);
    EXPECT_EQ(count, 1u);
    com::ComPtr<com::ITypeInfo> info;
    ASSERT_EQ(d->GetTypeInfo(0, info.Put()), com::S_OK);
    ASSERT_TRUE(info);
    com::ITypeInfo* none = nullptr;
    EXPECT_EQ(d->GetTypeInfo(1, &none), com::DISP_E_BADINDEX);

    com::TypeAttr attr;
    ASSERT_EQ(info->GetTypeAttr(&attr), com::S_OK);
    EXPECT_EQ(attr.guid, ISample::kIid);
    EXPECT_EQ(attr.name, u"ISample");
    // 9 methods and properties with gets; Text, Color, Shade, ScrollStep and
    // Font have puts, Font a put by reference as well.
    ASSERT_EQ(attr.cFuncs, Sample::DispatchMembers().description().funcs().size());
    EXPECT_EQ(attr.cFuncs, 18u);

    com::FuncDesc f;
    ASSERT_EQ(info->GetFuncDesc(1, &f), com::S_OK);
    EXPECT_EQ(f.memid, 2);
    EXPECT_EQ(f.name, u"Swap");
    EXPECT_EQ(f.invkind, com::INVOKE_FUNC);
    ASSERT_EQ(f.params.size(), 2u);
    EXPECT_EQ(f.params[0].name, u"x");
    EXPECT_EQ(f.params[0].vt, com::VT_I4 | com::VT_BYREF);
    EXPECT_TRUE(f.params[0].IsInOut());
    EXPECT_EQ(f.result, com::VT_VOID);

    ASSERT_EQ(info->GetFuncDesc(3, &f), com::S_OK);
    EXPECT_EQ(f.name, u"Rename");
    EXPECT_TRUE(f.hidden);
    EXPECT_EQ(f.params[0].vt, com::VT_BSTR | com::VT_BYREF);
    EXPECT_EQ(f.params[1].vt, com::VT_I2 | com::VT_BYREF);

    ASSERT_EQ(info->GetFuncDesc(7, &f), com::S_OK);  // Color put
    EXPECT_EQ(f.memid, com::DISPID_BACKCOLOR);
    EXPECT_EQ(f.invkind, com::INVOKE_PROPERTYPUT);
    EXPECT_EQ(f.params[0].vt, com::VT_UI4);
    EXPECT_EQ(f.params[0].typeName, u"OLE_COLOR");

    ASSERT_EQ(info->GetFuncDesc(2, &f), com::S_OK);  // Toggle
    EXPECT_EQ(f.result, com::VT_BOOL);
    EXPECT_EQ(info->GetFuncDesc(18, &f), com::TYPE_E_ELEMENTNOTFOUND);

    std::vector<com::BSTR> names;
    ASSERT_EQ(info->GetNames(1, &names), com::S_OK);
    EXPECT_EQ(names, (std::vector<com::BSTR>{u"Add", u"a", u"b"}));
    com::BSTR name = u"SCROLLSTEP";
    com::DISPID id = 0;
    ASSERT_EQ(info->GetIDsOfNames(&name, 1, &id), com::S_OK);
    EXPECT_EQ(id, 6);
}

TEST_F(DispatchTable, EveryDescribedMemberCanBeInvokedByItsKind) {
    // The type information and Invoke come from one table: whatever is
    // listed must be callable with the listed kind.
    for (const com::FuncDesc& f : Sample::DispatchMembers().description().funcs()) {
        std::uint16_t flags = f.invkind == com::INVOKE_FUNC ? com::DISPATCH_METHOD : f.invkind;
        std::vector<Variant> args(f.params.size(), Variant::I2(0));
        com::DISPID named = com::DISPID_PROPERTYPUT;
        std::reverse(args.begin(), args.end());
        bool put = flags & (com::DISPATCH_PROPERTYPUT | com::DISPATCH_PROPERTYPUTREF);
        com::DISPPARAMS p{args.data(), put ? &named : nullptr, static_cast<unsigned>(args.size()), put ? 1u : 0u};
        Variant result;
        unsigned argErr = 0;
        com::HRESULT hr = d->Invoke(f.memid, flags, &p, &result, nullptr, &argErr);
        EXPECT_NE(hr, com::DISP_E_MEMBERNOTFOUND) << com::Utf16ToUtf8(f.name);
        EXPECT_NE(hr, com::DISP_E_BADPARAMCOUNT) << com::Utf16ToUtf8(f.name);
    }
}

TEST_F(DispatchTable, HostSideHelpersCallWithCppValues) {
    std::int32_t sum = 0;
    ASSERT_EQ(com::CallFunction(d, 1, &sum, std::int32_t{20}, std::int32_t{22}), com::S_OK);
    EXPECT_EQ(sum, 42);
    std::int32_t x = 1, y = 2;
    ASSERT_EQ(com::CallMethod(d, com::DispidOf(d, u"swap"), com::ByRef(x), com::ByRef(y)), com::S_OK);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 1);
    ASSERT_EQ(com::PutProperty(d, com::DISPID_TEXT, u"typed"), com::S_OK);
    com::BSTR text;
    ASSERT_EQ(com::GetProperty(d, com::DISPID_TEXT, &text), com::S_OK);
    EXPECT_EQ(text, u"typed");
    ASSERT_EQ(com::PutProperty(d, com::DISPID_BACKCOLOR, com::Rgb(1, 2, 3)), com::S_OK);
    com::OLE_COLOR c;
    ASSERT_EQ(com::GetProperty(d, com::DISPID_BACKCOLOR, &c), com::S_OK);
    EXPECT_EQ(c.value, 0x030201u);

    // A member's exception comes back as its own code with its description.
    com::ClearErrorInfo();
    EXPECT_EQ(com::CallMethod(d, 9), com::E_INVALIDARG);
    com::ErrorInfo info;
    ASSERT_EQ(com::GetErrorInfo(&info), com::S_OK);
    EXPECT_EQ(info.description, u"index out of range");
    EXPECT_EQ(com::CallMethod(d, 1, std::int32_t{1}), com::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(com::DispidOf(d, u"nothing"), com::DISPID_UNKNOWN);
}

namespace {

// An object whose default member makes it convertible to a number.
class Valued final : public com::ComObject<Valued, com::DispatchImpl<Valued>> {
public:
    static const com::DispatchTable<Valued>& DispatchMembers() {
        static const com::DispatchTable<Valued> table(com::IID_IDispatch, u"IValued", {
            com::ReadOnlyProperty(com::DISPID_VALUE, u"Value", [](Valued&) { return std::int32_t{7}; }),
        });
        return table;
    }
};

}  // namespace

TEST(Coerce, AnObjectConvertsThroughItsDefaultMember) {
    com::ComPtr<Valued> v = com::MakeObject<Valued>();
    Variant out;
    ASSERT_EQ(com::VariantChangeType(out, Variant::Dispatch(com::ComPtr<com::IDispatch>(v.Get())), com::VT_BSTR),
              com::S_OK);
    EXPECT_EQ(*out.If<com::BSTR>(), u"7");
    com::ComPtr<Sample> noDefault = com::MakeObject<Sample>();
    EXPECT_EQ(com::VariantChangeType(out, Variant::Dispatch(com::ComPtr<com::IDispatch>(noDefault.Get())), com::VT_I4),
              com::DISP_E_TYPEMISMATCH);
}

TEST(DispatchTableCheck, FindsDuplicatedMembers) {
    EXPECT_TRUE(Sample::DispatchMembers().description().Problems().empty());
    const com::DispatchTable<Sample> bad(ISample::kIid, u"IBad", {
        com::Method(1, u"Add", {u"a", u"b"}, &Sample::Add),
        com::Method(1, u"Again", &Sample::Fail),
        com::Method(2, u"add", &Sample::Fail),
    });
    std::vector<std::string> problems = bad.description().Problems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "Again: DISPID 1 declared twice for one kind");
    EXPECT_EQ(problems[1], "add: one name under DISPIDs 1 and 2");
}
