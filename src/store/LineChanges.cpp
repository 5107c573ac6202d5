#include "store/LineChanges.h"

#include <algorithm>

namespace tessaly {

void LineChanges::Reset(LineList lines) {
  lines_ = std::move(lines);
  pending_.clear();
}

void LineChanges::Make(LineChange change) {
  Pending made{std::move(change), {}};
  for (const std::string& key : made.change.overwrites) made.seen.push_back(partOf_(lines_, key));
  made.change.apply(lines_);
  pending_.push_back(std::move(made));
}

LineChanges::Rebased LineChanges::Rebase(LineList fresh) const {
  Rebased rebased{std::move(fresh), {}, {}};
  for (const Pending& p : pending_) {
    // A part the change overwrites conflicts when the other program left it other
    // than the user saw it; from now on the user has seen it as it is there.
    std::vector<LinePart> seen;
    for (std::size_t i = 0; i < p.change.overwrites.size(); ++i) {
      const std::string& key = p.change.overwrites[i];
      LinePart there = partOf_(rebased.lines, key);
      if (there != p.seen[i] &&
          std::find(rebased.conflicts.begin(), rebased.conflicts.end(), key) ==
              rebased.conflicts.end()) {
        rebased.conflicts.push_back(key);
      }
      seen.push_back(std::move(there));
    }
    rebased.seen.push_back(std::move(seen));
    p.change.apply(rebased.lines);
  }
  return rebased;
}

void LineChanges::Adopt(Rebased rebased) {
  lines_ = std::move(rebased.lines);
  for (std::size_t i = 0; i < pending_.size(); ++i) pending_[i].seen = std::move(rebased.seen[i]);
}

}  // namespace tessaly
