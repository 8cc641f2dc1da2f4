#include "control/activex/tarn_font.h"

#include "platform/codepage/codepage.h"
#include "platform/com/dispatch_impl.h"
#include "platform/com/object.h"
#include "platform/com/error_guard.h"
#include "platform/com/late_bound.h"
// After the runtime's headers: Qt defines "slots" as a macro.
#include "control/view/tarn_edit_view.h"

namespace tarnedit {

namespace com = platform::com;
namespace cp = platform::codepage;

namespace {

// {6A1D3E20-7B52-4C1F-9E63-2F8A4B7C1010}
constexpr com::IID kFontIid{0x6A1D3E20, 0x7B52, 0x4C1F, {0x9E, 0x63, 0x2F, 0x8A, 0x4B, 0x7C, 0x10, 0x10}};

class TFontObject final : public com::ComObject<TFontObject, com::DispatchImpl<TFontObject>> {
public:
    explicit TFontObject(tarn::view::TTarnEditView& v) : view_(v) {}

    static const com::DispatchTable<TFontObject>& DispatchMembers() {
        static const com::DispatchTable<TFontObject> table(kFontIid, u"IFontDisp", {
            com::Property(kFontName, u"Name", [](TFontObject& f) { return cp::ToUtf16(f.view_.Settings().Font().Name); },
                          [](TFontObject& f, com::BSTR v) {
                              tarn::view::TFontSpec s = f.view_.Settings().Font();
                              s.Name = cp::ToBytes(v);
                              f.view_.Settings().SetFont(s);
                          }),
            com::Property(kFontSize, u"Size", [](TFontObject& f) { return std::int32_t{f.view_.Settings().Font().Size}; },
                          [](TFontObject& f, std::int32_t v) {
                              if (v < 1 || v > 1000) throw com::ComError(com::E_INVALIDARG, u"font size out of range");
                              tarn::view::TFontSpec s = f.view_.Settings().Font();
                              s.Size = v;
                              f.view_.Settings().SetFont(s);
                          }),
            com::Property(kFontBold, u"Bold", [](TFontObject& f) { return f.bold_; }, [](TFontObject& f, bool v) { f.bold_ = v; }),
            com::Property(kFontItalic, u"Italic", [](TFontObject& f) { return f.italic_; }, [](TFontObject& f, bool v) { f.italic_ = v; }),
            com::Property(kFontUnderline, u"Underline", [](TFontObject& f) { return f.underline_; }, [](TFontObject& f, bool v) { f.underline_ = v; }),
            com::Property(kFontStrikethrough, u"Strikethrough", [](TFontObject& f) { return f.strike_; }, [](TFontObject& f, bool v) { f.strike_ = v; }),
            com::Property(kFontCharset, u"Charset", [](TFontObject& f) { return f.charset_; }, [](TFontObject& f, std::int16_t v) { f.charset_ = v; }),
        });
        return table;
    }

private:
    tarn::view::TTarnEditView& view_;
    bool bold_ = false, italic_ = false, underline_ = false, strike_ = false;
    std::int16_t charset_ = 128;  // SHIFTJIS_CHARSET
};

}  // namespace

com::ComPtr<com::IDispatch> MakeFontObject(tarn::view::TTarnEditView& view) {
    com::ComPtr<TFontObject> f = com::MakeObject<TFontObject>(view);
    return com::ComPtr<com::IDispatch>(static_cast<com::IDispatch*>(f.Get()));
}

void CopyFontInto(com::IDispatch* font, tarn::view::TTarnEditView& view) {
    if (!font) throw com::ComError(com::E_POINTER, u"no font object given");
    com::BSTR name;
    std::int32_t size = 0;
    com::HRESULT hr = com::GetProperty(font, kFontName, &name);
    if (com::SUCCEEDED(hr)) hr = com::GetProperty(font, kFontSize, &size);
    if (com::FAILED(hr)) throw com::ComError(hr, u"the font object did not give its name and size");
    if (size < 1 || size > 1000) throw com::ComError(com::E_INVALIDARG, u"font size out of range");
    tarn::view::TFontSpec s = view.Settings().Font();
    s.Name = cp::ToBytes(name);
    s.Size = size;
    view.Settings().SetFont(s);
}

}  // namespace tarnedit
