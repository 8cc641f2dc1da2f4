// Why a stream could not be read or written, and where.
#pragma once

#include <cstddef>
#include <string>

namespace tarn::persist {

enum class StreamErrorCode {
    BadSignature,      // the stream does not begin with the signature
    Truncated,         // the data ends inside an item
    LengthBeyondEnd,   // a length or count claims more bytes than remain
    WrongClass,        // the stream stores a different class
    UnknownValueType,  // a type byte with no known layout
    ChildComponents,   // the control has no child components to load
    TrailingBytes,     // data follows the end of the stream
    NotWritable,       // a value or name the format cannot hold
};

struct StreamError {
    StreamErrorCode code;
    std::size_t offset;  // byte offset of the item that failed
    std::string message;
};

}  // namespace tarn::persist
