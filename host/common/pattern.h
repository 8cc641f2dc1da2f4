// The classic pattern match the tag colouring uses to recognise tags.
#pragma once

#include <string_view>

namespace quenby {

// Whether the whole of text matches pattern, case-sensitively:
//   *       any run of characters, also none
//   ?       any one character
//   #       any one digit 0-9
//   [list]  one character from the list; a-z inside it is a range
//   [!list] one character not in the list
// Any other pattern character stands for itself; to match a literal *, ?,
// # or [, put it in a list ("[*]"). Inside a list, "-" first or last is
// literal, "!" anywhere but first is literal, and the first "]" ends the
// list. A character is one UTF-16 code unit.
//
// Malformed patterns have fixed results rather than errors:
//   - a "[" without a closing "]" makes the whole pattern match nothing;
//   - "[]" is a list of no characters, so it matches no character, and
//     "[!]" matches any one character;
//   - a range with its bounds reversed ("[z-a]") holds no characters.
// Runs in time proportional to text length times pattern length at worst,
// whatever the pattern.
bool LikeMatch(std::u16string_view text, std::u16string_view pattern);

}  // namespace quenby
