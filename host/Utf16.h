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

// Writes into the caller's buffer of `capacity` bytes as much of `text` as fits whole
// characters, and a terminating zero: a longer text is cut, never spilled. Nothing for a
// capacity of 0.
void CopyTruncated(const std::string& text, char* buffer, size_t capacity);

}  // namespace tavrix::host
