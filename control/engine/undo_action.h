// The kinds of edit record: what a recorded edit did, and so what undoing it
// must do. The values are the ones the control interface exchanges.
#pragma once

#include <cstdint>

namespace tarn {

enum TxUndoAction : std::uint8_t {
    uaInsert = 0,
    uaDelInsert = 1,
    uaDelete = 2,
    uadelkey = 3,
    uaoverwDel = 4,
    uaoverwIns = 5,
    uaBoxInsert = 6,
    uaBoxoverw = 7,
    uaBoxdelete = 8,
};

}  // namespace tarn
