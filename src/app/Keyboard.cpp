#include "app/Keyboard.h"

namespace tessaly {

namespace {

bool Plain(const KeyPress& key) { return !key.ctrl && !key.shift && !key.alt; }

bool RunsElevated(const KeyPress& key) {
  return key.key == vk::Return && key.ctrl && key.shift && !key.alt;
}

}  // namespace

bool OpensMenu(const KeyPress& key) {
  return (key.key == vk::F10 && key.shift && !key.ctrl && !key.alt) ||
         (key.key == vk::Apps && !key.ctrl && !key.alt);
}

KeyAction DecideKey(const KeyPress& key, FocusPane focus, bool searchEmpty) {
  if ((key.key == vk::LetterF && key.ctrl && !key.shift && !key.alt) ||
      (key.key == vk::F3 && Plain(key))) {
    return KeyAction::FocusSearch;
  }
  if (focus == FocusPane::Elsewhere) return KeyAction::None;
  if (key.key == vk::Tab && !key.ctrl && !key.alt) {
    return key.shift ? KeyAction::PreviousPane : KeyAction::NextPane;
  }
  switch (focus) {
    case FocusPane::Tree:
      if (OpensMenu(key)) return KeyAction::CategoryMenu;
      if (key.key == vk::Return && key.ctrl && !key.shift && !key.alt) {
        return KeyAction::OpenAllOfCategory;
      }
      if (!Plain(key)) return KeyAction::None;
      if (key.key == vk::F2) return KeyAction::RenameCategory;
      if (key.key == vk::Delete) return KeyAction::DeleteCategory;
      if (key.key == vk::Insert) return KeyAction::AddCategory;
      return KeyAction::None;
    case FocusPane::List:
      if (OpensMenu(key)) return KeyAction::ShortcutMenu;
      if (RunsElevated(key)) return KeyAction::RunAsAdministrator;
      if (!Plain(key)) return KeyAction::None;
      if (key.key == vk::F2) return KeyAction::EditShortcut;
      if (key.key == vk::Delete) return KeyAction::RemoveShortcuts;
      if (key.key == vk::Insert) return KeyAction::AddShortcut;
      return KeyAction::None;
    case FocusPane::Search:
      if (RunsElevated(key)) return KeyAction::RunFoundAsAdministrator;
      if (!Plain(key)) return KeyAction::None;
      if (key.key == vk::Return) return KeyAction::OpenFound;
      if (key.key == vk::Down) return KeyAction::EnterResults;
      // With nothing typed there is no search to end: Esc puts the window away.
      if (key.key == vk::Escape) return searchEmpty ? KeyAction::PutAway : KeyAction::EndSearch;
      return KeyAction::None;
    case FocusPane::Elsewhere:
      break;
  }
  return KeyAction::None;
}

FocusPane NextPane(FocusPane from, bool backwards) {
  switch (from) {
    case FocusPane::Tree:
      return backwards ? FocusPane::List : FocusPane::Search;
    case FocusPane::Search:
      return backwards ? FocusPane::Tree : FocusPane::List;
    case FocusPane::List:
      return backwards ? FocusPane::Search : FocusPane::Tree;
    case FocusPane::Elsewhere:
      break;
  }
  return FocusPane::Tree;
}

}  // namespace tessaly
