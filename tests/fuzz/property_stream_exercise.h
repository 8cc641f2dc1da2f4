// What the fuzzer and the corpus replay test do with one input: load it as
// the control would, both bare and behind the host's length prefix, and
// check that whatever loads also writes and reads back the same.
#pragma once

#include "control/activex/persist/length_prefix.h"
#include "control/activex/persist/property_apply.h"
#include "control/activex/persist/stream_reader.h"
#include "control/activex/persist/stream_writer.h"

#include <string>
#include <string_view>

namespace tarn::persist::fuzz {

// Empty when every check held, else what went wrong.
inline std::string ExercisePropertyStream(std::string_view data) {
    std::size_t applied = 0;
    auto setter = [&applied](const PropertyDescriptor&, const Setting&) {
        ++applied;
        return true;
    };
    (void)LoadStream(data, setter);
    PrefixedStream framed = SplitLengthPrefix(data);
    if (framed.ok()) {
        if (framed.consumed > data.size()) return "length prefix consumed more than it was given";
        (void)LoadStream(framed.stream, setter);
    }

    ReadResult read = ReadStream(data);
    if (!read.ok()) {
        if (!read.properties.empty()) return "a failed read returned properties";
        return {};
    }
    WriteResult written = WriteStream(read.properties);
    if (!written.ok()) return "a readable list could not be written: " + written.error->message;
    ReadResult again = ReadStream(written.bytes);
    if (!again.ok()) return "a written stream did not read back: " + again.error->message;
    if (again.properties != read.properties) return "properties changed on the round trip";
    WriteResult second = WriteStream(again.properties);
    if (!second.ok() || second.bytes != written.bytes) return "writing is not stable";
    return {};
}

}  // namespace tarn::persist::fuzz
