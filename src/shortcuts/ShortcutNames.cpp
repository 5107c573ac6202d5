#include "shortcuts/ShortcutNames.h"

#include "base/Text.h"
#include "shell/ShellNames.h"

namespace tessaly {

std::string DisplayTarget(const std::string& target, LinkReader& links) {
  if (!HasExtension(target, ".lnk")) return target;
  LinkInfo info;
  if (!links.ResolveLink(info, target)) return target;
  if (info.Target.empty()) return target;
  if (info.Arguments.empty()) return info.Target;
  return info.Target + " " + info.Arguments;
}

}  // namespace tessaly
