#pragma once
// Type to find: every shortcut of every category, found by a few letters of its
// title or of its target's file name, the best matches first.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/Shortcut.h"
#include "categories/CategorySelection.h"
#include "model/CategoryTree.h"
#include "shortcuts/LaunchHistory.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// How well a shortcut matches, best first. A lower tier never comes before a higher
// one, however often it was opened.
enum class MatchTier {
  Exact,       // the title is the text
  TitleStart,  // the title starts with it
  WordStart,   // a word of the title, or the target's file name, starts with it
  Initials,    // the initials of the title's words start with it (two letters or more)
  Anywhere,    // it stands anywhere in the title or the file name
  // For texts of four letters or more: the text is one edit away from some prefix of
  // the title, of a word of the title, or of the file name. An edit is one letter
  // wrong, missing, extra, or two adjacent letters swapped ("notpead", "ntepad",
  // "noteepad" and "ontepad" all near "notepad"; "notx" near "note pad").
  Near,
  None,
};

// The tier of a lower-cased title and file name for the lower-cased text.
MatchTier MatchTierOf(std::string_view title, std::string_view fileName, std::string_view lowerText);

class ShortcutSearch {
 public:
  static constexpr std::size_t kRecentCount = 20;

  // Gathers what is searched, in category order (the tree's, top down): each
  // category's stored section, or for a computed built-in category what it last
  // listed ("Get All" always the latter). "Trash" and its sub-categories are left
  // out, and each target counts once, where it comes first.
  void Index(const CategoryTree& tree, const ShortcutStore& store, const LatestResults& latest);

  // Every shortcut that matches, best tier first; within a tier category order.
  Shortcuts Find(std::string_view text) const;

  // The same, and within a tier, what the user did decides: first the shortcut last
  // opened after typing this text, one it extends or one that extends it; then the
  // most used, each launch counting half after LaunchHistory::kHalfLife; then
  // category order. With learning off, as Find(text).
  Shortcuts Find(std::string_view text, const LaunchHistory& history) const;

  // What an empty search shows: the shortcuts opened most lately, the latest first,
  // each once, and only those still in the index. None with learning off.
  Shortcuts Recent(const LaunchHistory& history,
                                    std::size_t limit = kRecentCount) const;

  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string title;
    std::string target;
    std::string lowerTitle;
    std::string lowerName;
    std::string initials;  // of the title's words, worked out once rather than per key
    std::uint64_t bits;    // of the letters in the title and file name, to pass over most at once
  };
  static constexpr std::size_t kTiers = static_cast<std::size_t>(MatchTier::None);
  void Add(const Shortcuts& shortcuts);
  Shortcuts Rank(std::string_view text, const LaunchHistory* history) const;

  std::vector<Entry> entries_;
  // Lower-cased target to its entry: launches are recorded by target.
  std::unordered_map<std::string, std::size_t> byTarget_;
};

}  // namespace tessaly
