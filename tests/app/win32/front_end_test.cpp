// The pieces of the window on Windows that turn the model's texts into what the system takes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/win32/common_dialogs.h"
#include "app/win32/menus.h"
#include "base/errors.h"
#include "system/win32/wide_text.h"
#include "tests/support/temp_folder.h"

namespace tolvanex::win32 {
namespace {

TEST(OpenDialogFilters, EachTextEndsWithANulAndTheListWithAnother) {
  std::wstring list = FilterList({{"Lookup files (*.lkp)", "*.lkp"}, {"All files (*.*)", "*.*"}});
  EXPECT_EQ(list, std::wstring(L"Lookup files (*.lkp)\0*.lkp\0All files (*.*)\0*.*\0\0", 48));
  EXPECT_EQ(FilterList({}), std::wstring(1, L'\0'));
}

TEST(ChosenPaths, AreTakenAsTheCodePageWritesThemOrByTheirShortForm) {
  EXPECT_EQ(ChosenPath(L"C:\\Loggers\\Sd0712.dat"), "C:\\Loggers\\Sd0712.dat");
  // A name the code page cannot write names no file the program could open: refused, not
  // turned into another name.
  EXPECT_THROW(ChosenPath(L"C:\\no such folder\\\u0416\u4e2d.dat"), Failure);

  testing::TempFolder folder;
  std::wstring unwritable = WideFromAnsi(folder.Path()) + L"\\\u0416\u4e2d.dat";
  HANDLE file = ::CreateFileW(unwritable.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ::CloseHandle(file);
  std::string shortForm = ChosenPath(unwritable);
  EXPECT_TRUE(testing::Exists(shortForm)) << shortForm;
}

TEST(MenuShortcuts, ReadAsKeysWithTheirModifiers) {
  ACCEL key{};
  ASSERT_TRUE(ReadShortcut("Ctrl+O", key));
  EXPECT_EQ(key.key, 'O');
  EXPECT_EQ(key.fVirt, FVIRTKEY | FCONTROL);
  ASSERT_TRUE(ReadShortcut("F1", key));
  EXPECT_EQ(key.key, VK_F1);
  EXPECT_EQ(key.fVirt, FVIRTKEY);
  ASSERT_TRUE(ReadShortcut("Ctrl+Shift+F12", key));
  EXPECT_EQ(key.key, VK_F12);
  EXPECT_EQ(key.fVirt, FVIRTKEY | FCONTROL | FSHIFT);
  for (const char* unreadable : {"", "Ctrl+", "Meta+O", "F0", "F25", "Ctrl+ab"}) {
    EXPECT_FALSE(ReadShortcut(unreadable, key)) << unreadable;
  }
}

}  // namespace
}  // namespace tolvanex::win32
