// Registration writes exactly the control's keys and unregistering removes
// every one of them.
#include <gtest/gtest.h>

#include <set>

#include "control/activex/registration.h"
#include "platform/com/guid.h"
#include "platform/registry/registry.h"
#include "tarnedit/tarn_edit_x.h"
#include "tests/platform/temp_dir.h"

namespace tarnedit {
namespace {

namespace reg = platform::registry;

std::string Fmt(const reg::Value& v) {
    if (const std::string* t = v.String()) return "sz:" + *t;
    return "dword:" + std::to_string(*v.Dword());
}

// Every value in the store as "key path|value name=data".
void Collect(const reg::Key& key, const std::string& path, std::set<std::string>& out) {
    for (const auto& [name, value] : key.Values()) out.insert(path + "|" + name + "=" + Fmt(*value));
    for (const auto& [name, child] : key.Children()) {
        if (child->Values().empty() && child->Children().empty()) out.insert(path + "\\" + name + "|(empty key)");
        Collect(*child, path.empty() ? name : path + "\\" + name, out);
    }
}

std::set<std::string> Everything() {
    reg::Loaded l = reg::LoadStore(reg::RegistryPath());
    EXPECT_TRUE(l.status.ok());
    std::set<std::string> out;
    Collect(l.store.Root(), "", out);
    return out;
}

TEST(Registration, WritesExactlyTheControlsKeysAndRemovesThem) {
    testing_fs::RegistryFile registry;
    const std::string module = "/opt/quenby/TarnEditXControl.so";
    ASSERT_EQ(RegisterControl(module), platform::com::S_OK);
    const std::string cls = "HKEY_CLASSES_ROOT\\CLSID\\" + platform::com::FormatGuid(CLSID_TarnEditX);
    const std::string lib = "HKEY_CLASSES_ROOT\\TypeLib\\" + platform::com::FormatGuid(LIBID_TarnEditXControl);
    const std::string prog = "HKEY_CLASSES_ROOT\\TarnEditXControl.TarnEditX";
    auto s = [](const std::string& text) { return Fmt(reg::Value{text}); };
    const std::set<std::string> expected{
        cls + "|=" + s("TarnEditX コントロール"),
        cls + "\\InprocServer32|=" + s(module),
        cls + "\\InprocServer32|ThreadingModel=" + s("Apartment"),
        cls + "\\ProgID|=" + s("TarnEditXControl.TarnEditX"),
        cls + "\\Control|=" + s(""),
        cls + "\\MiscStatus|=" + s("0"),
        cls + "\\MiscStatus\\1|=" + s("131473"),
        cls + "\\ToolboxBitmap32|=" + s(module + ",1"),
        cls + "\\TypeLib|=" + s(platform::com::FormatGuid(LIBID_TarnEditXControl)),
        cls + "\\Version|=" + s("1.0"),
        cls + "\\Verb\\0|=" + s("&Edit,0,2"),
        cls + "\\Verb\\-1|=" + s("&Show,0,0"),
        prog + "|=" + s("TarnEditX コントロール"),
        prog + "\\Clsid|=" + s(platform::com::FormatGuid(CLSID_TarnEditX)),
        lib + "\\1.0|=" + s("TarnEditXControl ライブラリ"),
        lib + "\\1.0\\FLAGS|=" + s("0"),
        lib + "\\1.0\\0\\linux|=" + s(module),
    };
    EXPECT_EQ(Everything(), expected);
    ASSERT_EQ(UnregisterControl(), platform::com::S_OK);
    // Only the shared parent keys stay, empty.
    EXPECT_EQ(Everything(), (std::set<std::string>{"HKEY_CLASSES_ROOT\\CLSID|(empty key)",
                                                    "HKEY_CLASSES_ROOT\\TypeLib|(empty key)"}));
    // Unregistering twice is not an error.
    EXPECT_EQ(UnregisterControl(), platform::com::S_OK);
}

}  // namespace
}  // namespace tarnedit
