#pragma once
// Real shell link files for tests and benchmarks, written through the shell's link
// object the way the shell itself writes them.

#include <optional>
#include <string>

namespace tessaly::testing {

struct LinkFields {
  std::string target;
  std::string arguments;
  std::string workingDirectory;
  std::string description;
  std::optional<std::string> iconFile;  // no icon location when absent
  int iconIndex = 0;
  unsigned short hotKey = 0;
  int showCommand = 1;
};

inline LinkFields LinkTo(std::string target, std::string arguments = {}) {
  LinkFields fields;
  fields.target = std::move(target);
  fields.arguments = std::move(arguments);
  return fields;
}

// Writes the link file at path; throws std::runtime_error when the shell refuses.
void WriteShellLink(const std::string& path, const LinkFields& fields);

}  // namespace tessaly::testing
