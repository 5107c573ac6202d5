#pragma once
// What the fuzz targets share: the code page the input asks for, texts as the
// program's dialogs would let them through, and a plain picture of a tree.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/LineList.h"
#include "base/Text.h"
#include "model/CategoryTree.h"

namespace tessaly::fuzzing {

// Half the inputs run as under a double-byte code page, where 0x81-0x9F and 0xE0-0xFC
// start a character whose second byte may be "\", " ", "[" or "]". For one input.
class CodePage {
 public:
  explicit CodePage(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) {
      SetLeadByteTest([](unsigned char c) { return (c >= 0x81 && c <= 0x9F) || c >= 0xE0; });
    }
  }
  ~CodePage() { SetLeadByteTest(nullptr); }
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;
};

// A single line of text, as an edit control gives it.
inline std::string LineText(FuzzedDataProvider& input, std::size_t maxLength = 24) {
  std::string text = input.ConsumeRandomLengthString(maxLength);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// "name|icon" per node, four dots per level: what must survive writing and reading.
inline LineList Describe(const CategoryTree& tree) {
  LineList lines;
  tree.ForEach([&](CategoryNode& node) {
    lines.push_back(std::string(static_cast<std::size_t>(node.level()) * 4, '.') + node.name + "|" +
                    node.iconText.value_or("0" + std::to_string(node.imageIndex)));
  });
  return lines;
}

// A broken promise: the fuzzer records the input that led here.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

inline void Check(bool holds, const char* what) {
  if (!holds) Fail(what);
}

}  // namespace tessaly::fuzzing
