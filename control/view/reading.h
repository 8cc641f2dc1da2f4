// The reading (kana) of Japanese text, which reconversion hands to the
// input method. Pluggable: the control needs only a function from CP932
// text to its reading in CP932; an empty result means "no reading".
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tarn::view {

using TReadingFunction = std::function<std::string(std::string_view cp932)>;

// Kanji and katakana turned into hiragana by the kakasi dictionary; other
// characters pass through. Empty when the dictionary cannot be used.
std::string DictionaryReading(std::string_view cp932);

}  // namespace tarn::view
