#include "base/Text.h"

#include <charconv>

namespace tessaly {

namespace {
LeadByteTest g_leadByteTest = nullptr;
}

void SetLeadByteTest(LeadByteTest test) { g_leadByteTest = test; }

std::size_t FindText(std::string_view text, std::string_view word) {
  if (word.empty()) return 0;
  if (word.size() > text.size()) return std::string_view::npos;
  if (g_leadByteTest == nullptr) return text.find(word);
  std::size_t i = 0;
  while (i + word.size() <= text.size()) {
    if (text.compare(i, word.size(), word) == 0) return i;
    const bool lead = g_leadByteTest(static_cast<unsigned char>(text[i]));
    i += (lead && i + 1 < text.size()) ? 2 : 1;
  }
  return std::string_view::npos;
}

bool ContainsText(std::string_view text, std::string_view word) {
  return FindText(text, word) != std::string_view::npos;
}

std::size_t CharacterSizeAt(std::string_view text, std::size_t i) {
  const bool lead = g_leadByteTest != nullptr && g_leadByteTest(static_cast<unsigned char>(text[i]));
  return lead && i + 1 < text.size() ? 2 : 1;
}

std::size_t FindLastOf(std::string_view text, std::string_view chars) {
  if (g_leadByteTest == nullptr) return text.find_last_of(chars);
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i += CharacterSizeAt(text, i)) {
    if (chars.find(text[i]) != std::string_view::npos) found = i;
  }
  return found;
}

bool EndsWithBackslash(std::string_view text) {
  return !text.empty() && FindLastOf(text, "\\") == text.size() - 1;
}

std::string WithWholeLastCharacter(std::string_view text) {
  std::string result(text);
  if (g_leadByteTest == nullptr || text.empty()) return result;
  std::size_t i = 0;
  while (i + 1 < text.size()) i += CharacterSizeAt(text, i);
  // i is now the start of the last character; alone at the end, a lead byte is half of one.
  if (i == text.size() - 1 && g_leadByteTest(static_cast<unsigned char>(text[i]))) result += ' ';
  return result;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string TrimCodesUpTo(std::string_view text, unsigned char maxCode) {
  std::size_t first = 0;
  while (first < text.size() && static_cast<unsigned char>(text[first]) <= maxCode) ++first;
  // The end is that of the last character kept: the second byte of a double-byte
  // character is never taken for a blank or a control code.
  std::size_t last = first;
  for (std::size_t i = first; i < text.size();) {
    const std::size_t size = CharacterSizeAt(text, i);
    if (size == 2 || static_cast<unsigned char>(text[i]) > maxCode) last = i + size;
    i += size;
  }
  return std::string(text.substr(first, last - first));
}

std::string TrimLeadingCodesUpTo(std::string_view text, unsigned char maxCode) {
  std::size_t first = 0;
  while (first < text.size() && static_cast<unsigned char>(text[first]) <= maxCode) ++first;
  return std::string(text.substr(first));
}

std::optional<int> ParseDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;  // "+-1" has two signs
  }
  if (text.empty()) return std::nullopt;
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string LowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

std::string WithTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (!EndsWithBackslash(result)) result += '\\';
  return result;
}

}  // namespace tessaly
