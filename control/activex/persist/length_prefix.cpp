#include "control/activex/persist/length_prefix.h"

#include "control/activex/persist/byte_reader.h"

#include <cstdint>
#include <limits>

namespace tarn::persist {

std::optional<std::string> AddLengthPrefix(std::string_view stream) {
    if (stream.size() > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    auto n = static_cast<std::uint32_t>(stream.size());
    std::string out;
    out.reserve(4 + stream.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    out.append(stream);
    return out;
}

PrefixedStream SplitLengthPrefix(std::string_view data) {
    PrefixedStream result;
    ByteReader in(data);
    auto n = in.U32();
    if (!n) {
        result.error = StreamError{StreamErrorCode::Truncated, 0, "length prefix needs 4 bytes, " +
                                                                      std::to_string(data.size()) + " present"};
        return result;
    }
    auto body = in.Take(*n);
    if (!body) {
        result.error = StreamError{StreamErrorCode::LengthBeyondEnd, 0,
                                   "length prefix claims " + std::to_string(*n) + " bytes, " +
                                       std::to_string(in.Remaining()) + " follow"};
        return result;
    }
    result.stream = *body;
    result.consumed = in.Offset();
    return result;
}

}  // namespace tarn::persist
