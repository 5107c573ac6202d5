#pragma once
// Text helpers shared by every subsystem. Texts are 8-bit strings in the ANSI code page.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// Tells whether a byte starts a double-byte character of the ANSI code page.
// The core cannot ask the platform itself; the Win32 layer installs the real test
// at start-up. Without one, every byte is a character of its own.
using LeadByteTest = bool (*)(unsigned char);
void SetLeadByteTest(LeadByteTest test);

// Bytes taken by the character that starts at i: two for a lead byte with a byte
// after it, one otherwise.
std::size_t CharacterSizeAt(std::string_view text, std::size_t i);

// Position of the first occurrence of word in text, never starting on the second
// byte of a double-byte character; npos when absent. The stores' lookups rely on it.
std::size_t FindText(std::string_view text, std::string_view word);
bool ContainsText(std::string_view text, std::string_view word);

// Position of the last byte of text that is one of chars and starts a character (a
// "\" that is the second byte of a double-byte character does not count); npos when
// there is none. The name rules split paths with it.
std::size_t FindLastOf(std::string_view text, std::string_view chars);

// True when the last character of text is "\" (not the second byte of a double-byte one).
bool EndsWithBackslash(std::string_view text);

// The text with a blank after a lead byte at its very end. Half a character would
// take whatever is written after it as its second byte; a blank completes it, so the
// text reads back the same wherever it is written.
std::string WithWholeLastCharacter(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

// Removes every character whose code is at most maxCode from both ends.
std::string TrimCodesUpTo(std::string_view text, unsigned char maxCode);
// The same at the start only.
std::string TrimLeadingCodesUpTo(std::string_view text, unsigned char maxCode);

// A whole decimal integer: optional sign, digits only, within the range of int.
std::optional<int> ParseDecimal(std::string_view text);

// Lower-cases A to Z only, so that 8-bit characters of the code page stay as they are.
std::string LowerAscii(std::string_view text);

// The folder path with a trailing "\" added unless it already ends in one.
std::string WithTrailingBackslash(std::string_view path);

}  // namespace tessaly
