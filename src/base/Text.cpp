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

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string TrimCodesUpTo(std::string_view text, unsigned char maxCode) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= maxCode) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= maxCode) --last;
  return std::string(text.substr(first, last - first));
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
  if (!EndsWith(result, "\\")) result += '\\';
  return result;
}

}  // namespace tessaly
