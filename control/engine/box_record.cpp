#include "control/engine/box_record.h"

#include <climits>

namespace tarn {

void AppendBoxItem(std::string& record, int x, int y, std::string_view text) {
    record += std::to_string(x);
    record += ',';
    record += std::to_string(y);
    record += ',';
    record += std::to_string(text.size());
    record += ',';
    record += text;
}

std::string WriteBoxRecord(const std::vector<BoxItem>& items) {
    std::string out;
    for (const BoxItem& it : items) AppendBoxItem(out, it.X, it.Y, it.Text);
    return out;
}

std::string WriteBoxRecordReversed(const std::vector<BoxItem>& items) {
    std::string out;
    for (auto it = items.rbegin(); it != items.rend(); ++it) AppendBoxItem(out, it->X, it->Y, it->Text);
    return out;
}

bool BoxRecordReader::Number(std::size_t& at, long long& value, bool allowNegative) const noexcept {
    bool negative = false;
    if (allowNegative && at < rec_.size() && rec_[at] == '-') {
        negative = true;
        ++at;
    }
    const std::size_t start = at;
    long long v = 0;
    while (at < rec_.size() && rec_[at] >= '0' && rec_[at] <= '9') {
        v = v * 10 + (rec_[at] - '0');
        if (v > INT_MAX) return false;
        ++at;
    }
    if (at == start) return false;
    if (at >= rec_.size() || rec_[at] != ',') return false;
    ++at;
    value = negative ? -v : v;
    return true;
}

BoxReadStatus BoxRecordReader::Next(BoxItem& item) {
    if (failed_) return BoxReadStatus::kMalformed;
    if (pos_ >= rec_.size()) return BoxReadStatus::kEnd;
    std::size_t at = pos_;
    long long x = 0, y = 0, len = 0;
    if (!Number(at, x, true) || !Number(at, y, true) || !Number(at, len, false) ||
        static_cast<unsigned long long>(len) > rec_.size() - at) {
        failed_ = true;
        return BoxReadStatus::kMalformed;
    }
    item.X = static_cast<int>(x);
    item.Y = static_cast<int>(y);
    item.Text.assign(rec_.substr(at, static_cast<std::size_t>(len)));
    pos_ = at + static_cast<std::size_t>(len);
    return BoxReadStatus::kItem;
}

BoxRecordParse ParseBoxRecord(std::string_view record) {
    BoxRecordParse out;
    BoxRecordReader reader(record);
    BoxItem item;
    for (;;) {
        switch (reader.Next(item)) {
            case BoxReadStatus::kItem:
                out.items.push_back(item);
                break;
            case BoxReadStatus::kEnd:
                return out;
            case BoxReadStatus::kMalformed:
                out.ok = false;
                out.errorOffset = reader.Offset();
                return out;
        }
    }
}

}  // namespace tarn
