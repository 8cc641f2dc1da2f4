// The standard edit-control messages the control answers, so that programs
// that speak to edit controls can read and set its text and selection.
// Pointers travel in wParam and lParam as Windows passes them.
#pragma once

#include <optional>

#include "platform/messages/messages.h"

namespace tarn {

class TTarnEdit;

// A position packed the way the messages carry it: the column in the low
// word, the row (at most 32767) in the high word.
platform::messages::DWORD PackPosition(int column, int row) noexcept;

// The answer to msg, or nothing when msg is not an edit-control message.
//  EM_GETSEL: wParam and lParam point to DWORDs (either may be null).
//  EM_GETLINE: lParam points to a buffer whose first WORD gives its size.
//  WM_GETTEXT: wParam is the buffer's size, lParam the buffer.
std::optional<platform::messages::LRESULT> EditControlMessage(TTarnEdit& e, platform::messages::UINT msg,
                                                              platform::messages::WPARAM wParam,
                                                              platform::messages::LPARAM lParam);

}  // namespace tarn
