#include "control/activex/persist/property_table.h"

#include "control/activex/persist/identifiers.h"

#include <array>

namespace tarn::persist {
namespace {

constexpr std::array kImeReconvModes{NamedNumber{"imrAuto", 0}, NamedNumber{"imrManual", 1}};
constexpr std::array kLineSizeUnits{NamedNumber{"uPercent", 0}, NamedNumber{"uPixel", 1}};
constexpr std::array kBorderStyles{NamedNumber{"bsNone", 0}, NamedNumber{"bsSingle", 1}};
constexpr std::array kDragModes{NamedNumber{"dmManual", 0}, NamedNumber{"dmAutomatic", 1},
                                NamedNumber{"dmOLEAuto", 2}};
constexpr std::array kFontStyles{
    NamedNumber{"fsBold", FontStyles::kBold}, NamedNumber{"fsItalic", FontStyles::kItalic},
    NamedNumber{"fsUnderline", FontStyles::kUnderline}, NamedNumber{"fsStrikeOut", FontStyles::kStrikeOut}};

class Builder {
public:
    Builder& Long(std::string_view name) { return Add(name, PropertyKind::Integer); }
    Builder& Byte(std::string_view name) { return Add(name, PropertyKind::Integer, 0, 255); }
    Builder& Bool(std::string_view name) { return Add(name, PropertyKind::Boolean); }
    Builder& Enum(std::string_view name, std::span<const NamedNumber> values) {
        return Add(name, PropertyKind::Enumeration, 0, static_cast<std::int32_t>(values.size()) - 1, values);
    }
    Builder& Colour(std::string_view name) { return Add(name, PropertyKind::Colour, {}, {}, ColourNames()); }
    Builder& Cursor(std::string_view name) {
        return Add(name, PropertyKind::Cursor, -32768, 32767, CursorNames());
    }
    Builder& Charset(std::string_view name) { return Add(name, PropertyKind::Charset, 0, 255, CharsetNames()); }
    Builder& String(std::string_view name) { return Add(name, PropertyKind::String); }
    Builder& FontName(std::string_view name) { return Add(name, PropertyKind::FontName); }
    Builder& FontStyle(std::string_view name) { return Add(name, PropertyKind::FontStyle, {}, {}, kFontStyles); }

    Builder& Default(Setting value) {
        table_.back().declared_default = std::move(value);
        return *this;
    }

    std::vector<PropertyDescriptor> Take() { return std::move(table_); }

private:
    Builder& Add(std::string_view name, PropertyKind kind,
                 std::int32_t min = std::numeric_limits<std::int32_t>::min(),
                 std::int32_t max = std::numeric_limits<std::int32_t>::max(),
                 std::span<const NamedNumber> names = {}) {
        PropertyDescriptor d;
        d.order = table_.size();
        d.name = name;
        d.kind = kind;
        d.min = min;
        d.max = max;
        d.names = names;
        table_.push_back(std::move(d));
        return *this;
    }

    std::vector<PropertyDescriptor> table_;
};

// Only what the control takes over from the generic windowed control
// declares a default: the cursor (crDefault) and the enabled and visible
// flags. The position and size and every property of the editor itself are
// always written, so a stored set is complete whatever the editor's
// constructor later starts with. Properties of the generic control that
// this control never has (tab order, alignment, popup menu) are not listed:
// a stream naming them is loaded with those names skipped.
std::vector<PropertyDescriptor> Build() {
    Builder b;
    b.Long("Left").Long("Top").Long("Width").Long("Height");
    b.Cursor("Cursor").Default(std::int32_t{0});
    b.Enum("IMEReconvMode", kImeReconvModes);
    b.Bool("UndoRec").Bool("FreeCaretMode").Bool("CaretScrollFix");
    b.Long("TopMargin").Long("LeftMargin");
    b.Byte("ScrollStep").Byte("WheelStep");
    b.Bool("CurSetMode");
    b.Colour("SelColor").Colour("CREOFcolor");
    b.Bool("ShowRuler").Bool("ShowRulerCur");
    b.Byte("RulerCurWidth").Byte("TabCount");
    b.Bool("ShowEOF").Bool("ShowCR").Bool("ShowDblSpace").Bool("ShowSglSpace").Bool("ShowTAB");
    b.Long("UndoBuf").Long("LineSpace");
    b.Enum("LineSpaceUnit", kLineSizeUnits);
    b.Bool("ShowUnderLine").Bool("AutoIndent");
    b.Enum("BorderStyle", kBorderStyles);
    b.Colour("Color");
    b.Charset("Font.Charset").Colour("Font.Color").Long("Font.Height").FontName("Font.Name").FontStyle("Font.Style");
    b.Bool("ReadOnly").Bool("HorzScrollBar").Bool("VertScrollBar");
    b.Long("VertScrollLimit");
    b.Bool("WordWrap").Bool("AutoWrap").Bool("TabStop").Bool("WantTabs");
    b.Long("Column");
    b.String("QuotMarkStr");
    b.Bool("ColorPrintF");
    b.Colour("URLColor").Colour("QuotMarkColor").Colour("UlineColor").Colour("RulerColor").Colour("RulerCurColor");
    b.String("Version");
    b.Bool("ShowLineNumber");
    b.Byte("LineNoColumn");
    b.Bool("SingleByteMode");
    b.Enum("DragMode", kDragModes);
    b.Cursor("DragCursor");
    b.Bool("BoxSelMode").Bool("BoxColumFix").Bool("Ctl3D").Bool("ParentFont").Bool("ShowHint");
    // Written only when changed, after the editor's own properties.
    b.Bool("Enabled").Default(true);
    b.Bool("Visible").Default(true);
    return b.Take();
}

}  // namespace

const std::vector<PropertyDescriptor>& PublishedProperties() {
    static const std::vector<PropertyDescriptor> table = Build();
    return table;
}

const PropertyDescriptor* FindProperty(std::string_view name) {
    for (const PropertyDescriptor& d : PublishedProperties())
        if (SameIdentifier(d.name, name)) return &d;
    return nullptr;
}

}  // namespace tarn::persist
