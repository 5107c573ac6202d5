#include "shortcuts/ShortcutSearch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "base/Text.h"
#include "model/BuiltinCategories.h"
#include "shell/ShellNames.h"

namespace tessaly {

namespace {

bool IsLetterOrDigit(char c) {
  const auto u = static_cast<unsigned char>(c);
  // Bytes of the code page above 127 count as letters: they start words too.
  return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u > 127;
}

bool IsWordStart(std::string_view lower, std::size_t i) {
  return IsLetterOrDigit(lower[i]) && (i == 0 || !IsLetterOrDigit(lower[i - 1]));
}

// Looked for where the text stands, not at every word: most titles hold it nowhere.
bool WordStartsWith(std::string_view lower, std::string_view text, std::size_t from) {
  for (std::size_t at = from; at != std::string_view::npos; at = lower.find(text, at + 1)) {
    if (IsWordStart(lower, at)) return true;
  }
  return false;
}

std::string Initials(std::string_view lower) {
  std::string initials;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (IsWordStart(lower, i)) initials += lower[i];
  }
  return initials;
}

// A bit for each letter and digit, the other bytes folded onto the rest: a text can
// only stand in a title whose bits hold all of its own.
std::uint64_t CharBit(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return std::uint64_t{1} << (u - 'a');
  if (u >= '0' && u <= '9') return std::uint64_t{1} << (26 + u - '0');
  return std::uint64_t{1} << (36 + u % 28);
}

std::uint64_t CharBits(std::string_view lower) {
  std::uint64_t bits = 0;
  for (const char c : lower) bits |= CharBit(c);
  return bits;
}

// One edit at most between text and some prefix of s. Where the two first differ is
// where the edit goes: any other place for it gives the same strings.
bool NearPrefix(std::string_view s, std::string_view text) {
  std::size_t k = 0;
  while (k < text.size() && k < s.size() && s[k] == text[k]) ++k;
  if (k == text.size()) return true;
  const auto restIsPrefix = [&](std::size_t inText, std::size_t inS) {
    return inS <= s.size() && StartsWith(s.substr(inS), text.substr(inText));
  };
  return restIsPrefix(k + 1, k + 1) ||  // a letter wrong
         restIsPrefix(k + 1, k) ||      // a letter too many
         restIsPrefix(k, k + 1) ||      // a letter missing
         (k + 1 < text.size() && k + 1 < s.size() && text[k] == s[k + 1] &&
          text[k + 1] == s[k] && restIsPrefix(k + 2, k + 2));
}

// With one edit, the first or second letter of the text is the first or second of s.
bool MayBeNear(std::string_view s, std::string_view text) {
  const char second = s.size() > 1 ? s[1] : '\0';
  return s[0] == text[0] || s[0] == text[1] || second == text[0] || second == text[1];
}

bool NearWordStart(std::string_view lower, std::string_view text) {
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if ((i == 0 || IsWordStart(lower, i)) && MayBeNear(lower.substr(i), text) &&
        NearPrefix(lower.substr(i), text)) {
      return true;
    }
  }
  return false;
}

constexpr std::size_t kNearLength = 4;

// The text as it is matched: its letters' bits, worked out once per key.
struct Key {
  explicit Key(std::string lowerText) : text(std::move(lowerText)) {
    for (const char c : text) bits.push_back(CharBit(c));
  }
  std::string text;
  std::vector<std::uint64_t> bits;
};

MatchTier TierOf(std::string_view title, std::string_view initials, std::string_view fileName,
                 std::uint64_t entryBits, const Key& key) {
  const std::string_view text = key.text;
  if (text.empty()) return MatchTier::None;
  std::size_t absent = 0;
  for (const std::uint64_t bit : key.bits) absent += (entryBits & bit) == 0 ? 1 : 0;
  if (absent > 1) return MatchTier::None;
  if (absent == 0) {
    const std::size_t inTitle = title.find(text);
    if (inTitle == 0) return title.size() == text.size() ? MatchTier::Exact : MatchTier::TitleStart;
    if ((inTitle != std::string_view::npos && WordStartsWith(title, text, inTitle)) ||
        StartsWith(fileName, text)) {
      return MatchTier::WordStart;
    }
    if (text.size() > 1 && StartsWith(initials, text)) return MatchTier::Initials;
    if (inTitle != std::string_view::npos || fileName.find(text) != std::string_view::npos) {
      return MatchTier::Anywhere;
    }
  }
  if (text.size() >= kNearLength &&
      (NearWordStart(title, text) ||
       (!fileName.empty() && MayBeNear(fileName, text) && NearPrefix(fileName, text)))) {
    return MatchTier::Near;
  }
  return MatchTier::None;
}

// What a launch weighs age seconds later.
double LaunchWeight(UnixSeconds age) {
  return std::exp2(-static_cast<double>(std::max<UnixSeconds>(age, 0)) /
                   static_cast<double>(LaunchHistory::kHalfLife));
}

// The text typed for a launch and the one typed now belong together when one
// extends the other: "no" then "not", or "notepad" then "note".
bool Related(std::string_view before, std::string_view now) {
  return !before.empty() && (StartsWith(before, now) || StartsWith(now, before));
}

}  // namespace

MatchTier MatchTierOf(std::string_view title, std::string_view fileName, std::string_view text) {
  return TierOf(title, Initials(title), fileName, CharBits(title) | CharBits(fileName),
                Key(std::string(text)));
}

void ShortcutSearch::Add(const Shortcuts& shortcuts) {
  for (const Shortcut& shortcut : shortcuts) {
    // The same program often stands in several categories: it is found once.
    if (!byTarget_.try_emplace(LowerAscii(shortcut.target), entries_.size()).second) continue;
    std::string lowerTitle = LowerAscii(shortcut.title);
    std::string lowerName = LowerAscii(FileNamePart(shortcut.target));
    std::string initials = Initials(lowerTitle);
    const std::uint64_t bits = CharBits(lowerTitle) | CharBits(lowerName);
    entries_.push_back({shortcut.title, shortcut.target, std::move(lowerTitle),
                        std::move(lowerName), std::move(initials), bits});
  }
}

void ShortcutSearch::Index(const CategoryTree& tree, const ShortcutStore& store,
                           const LatestResults& latest) {
  entries_.clear();
  byTarget_.clear();
  const CategoryNode* trash = nullptr;
  tree.ForEach([&](CategoryNode& node) {
    if (IsNamedAt(node, builtin::Trash, 0)) trash = &node;
    if (trash != nullptr && CategoryTree::IsSelfOrAncestor(*trash, node)) return;
    // A stored section wins, as it does when the category is shown; "Get All" is
    // always computed afresh.
    if (!IsGetAll(node)) {
      if (const auto stored = store.SectionEntries(node)) {
        Add(*stored);
        return;
      }
    }
    if (!IsComputedCategory(node)) return;
    if (const auto computed = latest.find(node.name); computed != latest.end()) {
      Add(computed->second);
    }
  });
}

Shortcuts ShortcutSearch::Find(std::string_view text) const {
  return Rank(text, nullptr);
}

Shortcuts ShortcutSearch::Find(std::string_view text,
                                                const LaunchHistory& history) const {
  return Rank(text, history.learning() ? &history : nullptr);
}

Shortcuts ShortcutSearch::Rank(std::string_view text,
                                                const LaunchHistory* history) const {
  const Key key(SearchKey(text));
  struct Ranked {
    std::uint32_t index;
    MatchTier tier;
    bool used;  // listed first in its tier, with the others that were opened
  };
  std::vector<Ranked> ranked;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    const MatchTier tier =
        TierOf(entry.lowerTitle, entry.initials, entry.lowerName, entry.bits, key);
    if (tier != MatchTier::None) ranked.push_back({static_cast<std::uint32_t>(i), tier, false});
  }
  // What was opened of what matches: a search finds thousands, and only a few of them
  // were ever opened, so only those are sorted; the rest keep category order.
  struct Used {
    std::uint32_t index;
    MatchTier tier = MatchTier::None;
    double use = 0;
    std::size_t picked = 0;  // the latest launch after a related text, counted from 1
    bool pick = false;
  };
  std::vector<Used> used;
  if (history != nullptr && !history->launches().empty() && !ranked.empty()) {
    const UnixSeconds now = history->Now();
    const auto& launches = history->launches();
    for (std::size_t n = 0; n < launches.size(); ++n) {
      const auto found = byTarget_.find(launches[n].target);
      if (found == byTarget_.end()) continue;
      used.push_back({static_cast<std::uint32_t>(found->second), MatchTier::None,
                      LaunchWeight(now - launches[n].time),
                      Related(launches[n].text, key.text) ? n + 1 : 0});
    }
    std::sort(used.begin(), used.end(),
              [](const Used& a, const Used& b) { return a.index < b.index; });
    // One entry each, then their tiers from the matches (both in index order).
    std::size_t kept = 0;
    auto match = ranked.begin();
    for (std::size_t u = 0; u < used.size(); ++u) {
      if (kept > 0 && used[kept - 1].index == used[u].index) {
        used[kept - 1].use += used[u].use;
        used[kept - 1].picked = std::max(used[kept - 1].picked, used[u].picked);
        continue;
      }
      while (match != ranked.end() && match->index < used[u].index) ++match;
      if (match == ranked.end() || match->index != used[u].index) continue;
      used[u].tier = match->tier;
      match->used = true;
      used[kept++] = used[u];
    }
    used.resize(kept);
    // One pick is enough: the latest, among what matches now.
    const auto pick = std::max_element(used.begin(), used.end(), [](const Used& a, const Used& b) {
      return a.picked < b.picked;
    });
    if (pick != used.end() && pick->picked != 0) pick->pick = true;
    std::sort(used.begin(), used.end(), [](const Used& a, const Used& b) {
      if (a.tier != b.tier) return a.tier < b.tier;
      if (a.pick != b.pick) return a.pick;
      if (a.use != b.use) return a.use > b.use;
      return a.index < b.index;
    });
  }
  Shortcuts found;
  found.reserve(ranked.size());
  const auto add = [&](std::uint32_t index) {
    found.push_back({entries_[index].title, entries_[index].target});
  };
  auto usedOne = used.begin();
  for (std::size_t t = 0; t < kTiers; ++t) {
    const auto tier = static_cast<MatchTier>(t);
    for (; usedOne != used.end() && usedOne->tier == tier; ++usedOne) add(usedOne->index);
    for (const Ranked& r : ranked) {
      if (r.tier == tier && !r.used) add(r.index);
    }
  }
  return found;
}

Shortcuts ShortcutSearch::Recent(const LaunchHistory& history,
                                                  std::size_t limit) const {
  Shortcuts recent;
  if (!history.learning()) return recent;
  std::vector<bool> listed(entries_.size(), false);
  const auto& launches = history.launches();
  for (auto launch = launches.rbegin(); launch != launches.rend() && recent.size() < limit;
       ++launch) {
    const auto found = byTarget_.find(launch->target);
    if (found == byTarget_.end() || listed[found->second]) continue;
    listed[found->second] = true;
    recent.push_back({entries_[found->second].title, entries_[found->second].target});
  }
  return recent;
}

}  // namespace tessaly
