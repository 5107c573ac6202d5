#pragma once
// Base of the UI test fixtures: starts the real window over the given data files and
// keeps the handles of its main controls.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/win32/MainWindowRes.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutEditorRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"

namespace tessaly::testing {

struct WindowTest : ::testing::Test {
  explicit WindowTest(AppHarness::Launching launching = AppHarness::Launching::Recorded)
      : app(launching) {}

  AppHarness app;
  HWND tree = nullptr;
  HWND list = nullptr;
  HWND status = nullptr;
  HWND toolbar = nullptr;

  // Writes the data files (an empty text writes none) and waits for the tree.
  void StartWith(const std::string& categories, const std::string& shortcuts,
                 const std::string& settings = "") {
    app.WriteDataFile("Categories.sts", categories);
    if (!shortcuts.empty()) app.WriteDataFile("Shortcuts.sts", shortcuts);
    if (!settings.empty()) app.WriteDataFile("Settings.sts", settings);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.WaitForTree());
    tree = app.Child(IDC_CATEGORY_TREE);
    list = app.Child(IDC_SHORTCUT_LIST);
    status = app.Child(IDC_STATUS_BAR);
    toolbar = app.Child(IDC_TOOLBAR);
  }
  bool Enabled(int button) const {
    return ::SendMessageA(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(button), 0) != 0;
  }
};

}  // namespace tessaly::testing
