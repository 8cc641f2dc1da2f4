#include "control/activex/persist/property_apply.h"

#include "control/activex/persist/property_codec.h"
#include "control/activex/persist/stream_reader.h"

namespace tarn::persist {

ApplyReport ApplyProperties(const PropertyList& properties, const PropertySetter& setter) {
    ApplyReport report;
    for (std::size_t i = 0; i < properties.size(); ++i) {
        const Property& p = properties[i];
        const PropertyDescriptor* d = FindProperty(p.name);
        if (!d) {
            report.unknown.push_back({i, p.name, "no such property"});
            continue;
        }
        Decoded decoded = DecodeSetting(*d, p.value);
        if (!decoded.setting) {
            report.rejected.push_back({i, p.name, std::move(decoded.problem)});
            continue;
        }
        if (setter(*d, *decoded.setting))
            ++report.applied;
        else
            report.unknown.push_back({i, p.name, "the control has no setter for it"});
    }
    return report;
}

LoadOutcome LoadStream(std::string_view bytes, const PropertySetter& setter) {
    LoadOutcome outcome;
    ReadResult read = ReadStream(bytes);
    if (!read.ok()) {
        outcome.error = std::move(read.error);
        return outcome;
    }
    outcome.report = ApplyProperties(read.properties, setter);
    return outcome;
}

CollectResult CollectProperties(const PropertyGetter& getter) {
    CollectResult result;
    for (const PropertyDescriptor& d : PublishedProperties()) {
        std::optional<Setting> s = getter(d);
        if (!s || IsDeclaredDefault(d, *s)) continue;
        std::optional<Value> v = EncodeSetting(d, *s);
        if (!v) {
            result.rejected.push_back({d.order, std::string(d.name), "setting of the wrong kind or out of range"});
            continue;
        }
        result.properties.push_back(Property{std::string(d.name), std::move(*v)});
    }
    return result;
}

}  // namespace tarn::persist
