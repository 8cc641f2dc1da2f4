// The text a box edit leaves in its edit record: items of the form
// X,Y,LEN,text with X the column and Y the text line (unwrapped), LEN the
// byte length of text, in decimal. The text may hold commas and line
// breaks; LEN alone says where it ends. Items follow each other with no
// separator.
//
// Records come back from the host as well as from the editor, so the
// reader trusts nothing: a number that does not parse, a length running
// past the end, or a missing comma stops it with the offset of the fault.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

struct BoxItem {
    int X = 0;
    int Y = 0;
    std::string Text;
    friend bool operator==(const BoxItem&, const BoxItem&) = default;
};

// Appends one item to record.
void AppendBoxItem(std::string& record, int x, int y, std::string_view text);
// The record of items in the order given.
std::string WriteBoxRecord(const std::vector<BoxItem>& items);
// The record of items in reverse order (the last item first).
std::string WriteBoxRecordReversed(const std::vector<BoxItem>& items);

enum class BoxReadStatus { kItem, kEnd, kMalformed };

// Reads the items of a record from the front.
class BoxRecordReader {
public:
    explicit BoxRecordReader(std::string_view record) noexcept : rec_(record) {}
    // kItem fills item; kEnd once the record is used up; kMalformed (and
    // from then on) when the item at Offset() is not well formed.
    BoxReadStatus Next(BoxItem& item);
    std::size_t Offset() const noexcept { return pos_; }
    // What has not been read yet.
    std::string_view Rest() const noexcept { return rec_.substr(pos_); }

private:
    bool Number(std::size_t& at, long long& value, bool allowNegative) const noexcept;

    std::string_view rec_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

struct BoxRecordParse {
    std::vector<BoxItem> items;  // the items read before any fault
    bool ok = true;
    std::size_t errorOffset = 0;  // where the malformed item starts
};
BoxRecordParse ParseBoxRecord(std::string_view record);

}  // namespace tarn
