#include "control/activex/persist/host_property_sets.h"

#include <cstdint>
#include <string>
#include <utility>

namespace tarn::persist {
namespace {

// Every entry of both sets differs from its declared default or has none,
// so each set is written whole, in declaration order.
class SetBuilder {
public:
    SetBuilder& Int(std::string name, std::int32_t v) { return Add(std::move(name), Value{v}); }
    SetBuilder& Bool(std::string name, bool v) { return Add(std::move(name), Value{v}); }
    SetBuilder& Id(std::string name, std::string id) { return Add(std::move(name), Value{Identifier{std::move(id)}}); }
    SetBuilder& Str(std::string name, std::string bytes) { return Add(std::move(name), Value{std::move(bytes)}); }
    SetBuilder& Wide(std::string name, std::u16string text) { return Add(std::move(name), Value{std::move(text)}); }
    SetBuilder& EmptySet(std::string name) { return Add(std::move(name), Value{SetValue{}}); }
    PropertyList Take() { return std::move(list_); }

private:
    SetBuilder& Add(std::string name, Value v) {
        list_.push_back(Property{std::move(name), std::move(v)});
        return *this;
    }
    PropertyList list_;
};

}  // namespace

PropertyList SampleEditProperties() {
    SetBuilder b;
    b.Int("Left", 8).Int("Top", 16).Int("Width", 245).Int("Height", 101);
    b.Id("Cursor", "crIBeam").Id("IMEReconvMode", "imrAuto");
    b.Bool("UndoRec", true).Bool("FreeCaretMode", false).Bool("CaretScrollFix", false);
    b.Int("TopMargin", 11).Int("LeftMargin", 0).Int("ScrollStep", 2).Int("WheelStep", 2);
    b.Bool("CurSetMode", true).Id("SelColor", "clBlack").Id("CREOFcolor", "clTeal");
    b.Bool("ShowRuler", true).Bool("ShowRulerCur", true).Int("RulerCurWidth", 5).Int("TabCount", 6);
    b.Bool("ShowEOF", true).Bool("ShowCR", true);
    b.Bool("ShowDblSpace", true).Bool("ShowSglSpace", true).Bool("ShowTAB", true);
    b.Int("UndoBuf", 1015808).Int("LineSpace", 10).Id("LineSpaceUnit", "uPercent");
    b.Bool("ShowUnderLine", true).Bool("AutoIndent", false).Id("BorderStyle", "bsSingle").Id("Color", "clWhite");
    b.Id("Font.Charset", "SHIFTJIS_CHARSET").Id("Font.Color", "clBlack").Int("Font.Height", -19);
    b.Str("Font.Name", "FixedSys").EmptySet("Font.Style");
    b.Bool("ReadOnly", false).Bool("HorzScrollBar", false).Bool("VertScrollBar", false);
    b.Int("VertScrollLimit", 20).Bool("WordWrap", true).Bool("AutoWrap", false);
    b.Bool("TabStop", true).Bool("WantTabs", true).Int("Column", 72);
    b.Str("QuotMarkStr", ">").Bool("ColorPrintF", true);
    b.Id("URLColor", "clBlue").Id("QuotMarkColor", "clGray");
    b.Id("UlineColor", "clBlack").Id("RulerColor", "clBlack").Id("RulerCurColor", "clBlack");
    b.Str("Version", "TTarnEdit Ver1.35").Bool("ShowLineNumber", true).Int("LineNoColumn", 5);
    b.Bool("SingleByteMode", false).Id("DragMode", "dmAutomatic").Int("DragCursor", 1);
    b.Bool("BoxSelMode", false).Bool("BoxColumFix", false);
    b.Bool("Ctl3D", true).Bool("ParentFont", false).Bool("ShowHint", false);
    return b.Take();
}

PropertyList TarnEditX1Properties() {
    SetBuilder b;
    b.Int("Left", 8).Int("Top", 104).Int("Width", 109).Int("Height", 97);
    b.Id("Cursor", "crIBeam").Id("IMEReconvMode", "imrAuto");
    b.Bool("UndoRec", true).Bool("FreeCaretMode", false).Bool("CaretScrollFix", false);
    b.Int("TopMargin", 0).Int("LeftMargin", 0).Int("ScrollStep", 2).Int("WheelStep", 2);
    b.Bool("CurSetMode", true).Id("SelColor", "clNavy").Id("CREOFcolor", "clTeal");
    b.Bool("ShowRuler", false).Bool("ShowRulerCur", false).Int("RulerCurWidth", 5).Int("TabCount", 6);
    b.Bool("ShowEOF", false).Bool("ShowCR", true);
    b.Bool("ShowDblSpace", false).Bool("ShowSglSpace", false).Bool("ShowTAB", false);
    b.Int("UndoBuf", 1015808).Int("LineSpace", 10).Id("LineSpaceUnit", "uPercent");
    b.Bool("ShowUnderLine", false).Bool("AutoIndent", false).Id("BorderStyle", "bsSingle").Id("Color", "clWhite");
    b.Id("Font.Charset", "SHIFTJIS_CHARSET").Id("Font.Color", "clBlack").Int("Font.Height", -12);
    // "ＭＳ ゴシック": not ASCII, so stored wide.
    b.Wide("Font.Name", u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF").EmptySet("Font.Style");
    b.Bool("ReadOnly", false).Bool("HorzScrollBar", true).Bool("VertScrollBar", true);
    b.Int("VertScrollLimit", 20).Bool("WordWrap", false).Bool("AutoWrap", false);
    b.Bool("TabStop", true).Bool("WantTabs", true).Int("Column", 999999999);
    b.Str("QuotMarkStr", ">").Bool("ColorPrintF", true);
    b.Id("URLColor", "clBlue").Id("QuotMarkColor", "clGray");
    b.Id("UlineColor", "clBlack").Id("RulerColor", "clBlack").Id("RulerCurColor", "clBlack");
    b.Str("Version", "TTarnEdit Ver1.35").Bool("ShowLineNumber", false).Int("LineNoColumn", 5);
    b.Bool("SingleByteMode", false).Id("DragMode", "dmAutomatic").Int("DragCursor", 1);
    b.Bool("BoxSelMode", false).Bool("BoxColumFix", false);
    b.Bool("Ctl3D", true).Bool("ParentFont", false).Bool("ShowHint", false);
    return b.Take();
}

}  // namespace tarn::persist
