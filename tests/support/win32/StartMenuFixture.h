#pragma once
// Generated start menus for the benchmarks: many links in folders up to six deep.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "support/win32/LinkFixtures.h"
#include "support/win32/TempFolder.h"

namespace tessaly::testing {

// Saving a link through the shell is slow (tens of milliseconds under Wine), and a link's
// bytes depend only on what it points to: each distinct link is written by the shell
// once and copied for every further file name.
class LinkWriter {
 public:
  explicit LinkWriter(const TempFolder& temp) : temp_(temp) {}
  void Write(const std::string& path, const LinkFields& fields) {
    const std::string key = fields.target + '\n' + fields.arguments;
    auto it = std::find_if(written_.begin(), written_.end(),
                           [&](const auto& w) { return w.first == key; });
    if (it == written_.end()) {
      const std::string model =
          temp_.path() + "Models\\" + std::to_string(written_.size()) + ".lnk";
      temp_.Make("Models");
      WriteShellLink(model, fields);
      it = written_.insert(written_.end(), {key, model});
    }
    if (!::CopyFileA(it->second.c_str(), path.c_str(), TRUE)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      std::exit(1);
    }
  }

 private:
  const TempFolder& temp_;
  std::vector<std::pair<std::string, std::string>> written_;
};

// A start-menu half: links spread over folders 0 to 6 levels deep, most of them to
// programs, the rest the kinds the scan leaves out or reads specially.
void MakeStartMenu(const TempFolder& temp, LinkWriter& writer, const std::string& half,
                   int links, const std::vector<std::string>& programs,
                   const std::string& uninstaller, const std::string& document);

}  // namespace tessaly::testing
