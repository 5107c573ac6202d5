#pragma once
// The lines of a data file in memory and the changes made to them that the file does
// not hold yet. Each change is kept as a function over the lines, so that when another
// program has written the file meanwhile, the change can be made again to the lines
// that program left: a command changes one part of the file (one category's section,
// one setting), and everything else stays as the other program wrote it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/LineList.h"

namespace tessaly {

// One part of the lines (a section, a setting) as it stands; nothing when it is absent.
using LinePart = std::optional<LineList>;
using PartOf = std::function<LinePart(const LineList& lines, const std::string& key)>;

struct LineChange {
  std::function<void(LineList&)> apply;
  // The parts the change sets whole from what the user saw. Another program's change
  // of such a part is lost to it: that is a conflict.
  std::vector<std::string> overwrites;
};

class LineChanges {
 public:
  explicit LineChanges(PartOf partOf) : partOf_(std::move(partOf)) {}

  const LineList& lines() const { return lines_; }
  // The lines as read, with no change pending.
  void Reset(LineList lines);

  // Makes the change to the lines now and keeps it until Written.
  void Make(LineChange change);
  bool pending() const { return !pending_.empty(); }
  // The file holds every change made so far.
  void Written() { pending_.clear(); }

  // The lines another program left, with every pending change made again on top, and
  // the parts that both changed (the user's change wins them).
  struct Rebased {
    LineList lines;
    std::vector<std::string> conflicts;
    std::vector<std::vector<LinePart>> seen;
  };
  Rebased Rebase(LineList fresh) const;
  // Takes a rebase: the fresh lines are now what the file is known to hold.
  void Adopt(Rebased rebased);

 private:
  struct Pending {
    LineChange change;
    std::vector<LinePart> seen;  // each part it overwrites, as it stood before it
  };

  PartOf partOf_;
  LineList lines_;
  std::vector<Pending> pending_;
};

}  // namespace tessaly
