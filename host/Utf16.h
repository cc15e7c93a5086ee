// Resource texts are stored as UTF-16; the plug-in and the console see UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix::host {

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

// The longest prefix of `text` of at most `maxBytes` bytes that does not split a character.
size_t Utf8PrefixLength(const std::string& text, size_t maxBytes);

}  // namespace tavrix::host
