// The pane's type-to-find: the search field, the results in the list, and their
// filling between keys.

#include "shortcuts/win32/ShortcutPane.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "base/ScopedFlag.h"
#include "base/Text.h"
#include "base/win32/Text.h"
#include "shortcuts/win32/ShortcutPaneRes.h"

namespace tessaly::win32 {

namespace {

// Results listed at once, at least, and the time each tick of the results timer may
// spend on the rest.
constexpr int kFirstResults = 32;
constexpr std::chrono::milliseconds kResultsTurn{4};

}  // namespace

void ShortcutPane::SetSearchText(const std::string& text) {
  const ScopedFlag quiet(settingSearchText_);
  ::SetWindowTextA(searchField_, text.c_str());
}

void ShortcutPane::OnSearchChanged() {
  // A key typed while the index is built is read by the search that builds it, once
  // the index is whole; searched now it would find nothing.
  if (settingSearchText_ || indexing_ || sources_.tree == nullptr || sources_.selection == nullptr) {
    return;
  }
  if (TrimCodesUpTo(WindowText(searchField_), 32).empty()) {
    EndSearch();
    return;
  }
  if (sources_.stopFilling) sources_.stopFilling();
  const bool stale = !searchMode_ || indexedStore_ != services_.store.version() ||
                     indexedResults_ != sources_.selection->resultsVersion();
  if (stale) {
    const ScopedFlag busy(indexing_);
    // The first search scans the start menus if "Get All" never ran. That lets
    // messages run, keys typed meanwhile among them: the text is read again after.
    if (sources_.scanGetAllOnce) sources_.scanGetAllOnce();
    search_.Index(*sources_.tree, services_.store, sources_.selection->latestResults());
    indexedStore_ = services_.store.version();
    indexedResults_ = sources_.selection->resultsVersion();
  }
  const std::string text = WindowText(searchField_);
  if (TrimCodesUpTo(text, 32).empty()) {
    EndSearch();
    return;
  }
  searchMode_ = true;
  shortcutList_.DeferIconLookups(true);
  pendingResults_ = search_.Find(text);
  pendingNext_ = 0;
  const std::size_t found = pendingResults_.size();
  // A list control takes tens of microseconds per item: the first screen is there
  // before the key is done with, the rest follows between keys, so typing one more
  // letter never waits behind thousands of results of the last one.
  const auto screen = static_cast<std::size_t>(
      std::max(kFirstResults, ListView_GetCountPerPage(shortcutList_.hwnd()) + 8));
  shortcutList_.BeginUpdate();
  shortcutList_.Clear();
  AppendResults(screen, std::chrono::milliseconds::max());
  shortcutList_.EndUpdate();
  SetButtonEnabled(IDC_REMOVE, false);
  SetButtonEnabled(IDC_EDIT, false);
  services_.status.SetStatusText(std::to_string(found) + " found");
}

void ShortcutPane::AppendResults(std::size_t count, std::chrono::milliseconds budget) {
  const auto start = std::chrono::steady_clock::now();
  const std::size_t end = std::min(pendingResults_.size(), pendingNext_ + count);
  while (pendingNext_ < end) {
    const FoundShortcut& shortcut = pendingResults_[pendingNext_++];
    shortcutList_.Append(shortcut.title, shortcut.target);
    // Inserting slows down as the list grows; the clock keeps each turn short.
    if (pendingNext_ % 16 == 0 && std::chrono::steady_clock::now() - start > budget) break;
  }
  if (pendingNext_ < pendingResults_.size()) {
    // A timer comes after any waiting key or click, so they go first.
    ::SetTimer(owner_, kResultsTimer, 0, nullptr);
  } else {
    DropPendingResults();
  }
}

void ShortcutPane::DropPendingResults() {
  ::KillTimer(owner_, kResultsTimer);
  pendingResults_.clear();
  pendingResults_.shrink_to_fit();
  pendingNext_ = 0;
}

void ShortcutPane::OnIconTimer() {
  ::KillTimer(owner_, kIconTimer);
  if (shortcutList_.LookUpDeferredIcons(kResultsTurn)) ::SetTimer(owner_, kIconTimer, 0, nullptr);
}

void ShortcutPane::OnResultsTimer() {
  ::KillTimer(owner_, kResultsTimer);
  if (!searchMode_) {
    DropPendingResults();
    return;
  }
  // Drawn while it grows, the list would redraw at every item.
  shortcutList_.BeginUpdate();
  AppendResults(pendingResults_.size(), kResultsTurn);
  shortcutList_.EndUpdate();
}

void ShortcutPane::LeaveSearch() {
  searchMode_ = false;
  shortcutList_.DeferIconLookups(false);
  DropPendingResults();
  if (::GetWindowTextLengthA(searchField_) > 0) SetSearchText("");
}

void ShortcutPane::EndSearch() {
  if (::GetWindowTextLengthA(searchField_) > 0) SetSearchText("");
  if (!searchMode_) return;
  searchMode_ = false;
  shortcutList_.DeferIconLookups(false);
  DropPendingResults();
  if (sources_.showCategory) sources_.showCategory();
}

void ShortcutPane::FocusSearch() {
  ::SetFocus(searchField_);
  ::SendMessageA(searchField_, EM_SETSEL, 0, -1);
}

void ShortcutPane::EnterResults() {
  if (shortcutList_.Count() > 0 && shortcutList_.SelectedCount() == 0) {
    ListView_SetItemState(shortcutList_.hwnd(), 0, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
  }
  ::SetFocus(shortcutList_.hwnd());
}

void ShortcutPane::OpenFound(bool elevated) {
  if (!searchMode_ || shortcutList_.Count() == 0) return;
  if (shortcutList_.SelectedCount() == 0) {
    ListView_SetItemState(shortcutList_.hwnd(), 0, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
  }
  if (elevated) {
    commands_.RunAsAdministrator();
  } else {
    commands_.Open();
  }
}

}  // namespace tessaly::win32
