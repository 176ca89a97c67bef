#include "tests/app/win32/example_window.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "system/win32/wide_text.h"

namespace tolvanex::testing {

void PrepareExample(const TempFolder& folder) {
  WriteFile(folder / "SdStation3.dat", ReadFile(TOLVANEX_EXAMPLE "/SdStation3.dat"));
  WriteFile(folder / "sites.lkp", ReadFile(TOLVANEX_EXAMPLE "/sites.lkp"));
  ::CreateDirectoryW(win32::WideFromAnsi(folder / "post").c_str(), nullptr);
  ::CreateDirectoryW(win32::WideFromAnsi(folder / "text").c_str(), nullptr);
  std::string settings = ReadFile(TOLVANEX_EXAMPLE "/tolvanex.ini.in");
  const std::string placeholder = "@EXAMPLE@/";
  for (auto at = settings.find(placeholder); at != std::string::npos;
       at = settings.find(placeholder, at)) {
    settings.replace(at, placeholder.size(), folder.Path() + "\\");
  }
  WriteFile(folder / "tolvanex.ini", settings);
}

std::string LongDataFile(int minutes) {
  constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::string data = "\"Station export\",\"unit 3\",\"firmware 2.14\"\r\n";
  int month = 0;
  int day = 1;
  for (int minute = 0; minute < minutes; ++minute) {
    if (minute > 0 && minute % 1440 == 0 && ++day > kDays[month]) {
      day = 1;
      month = (month + 1) % 12;
    }
    char date[32];
    std::snprintf(date, sizeof date, "%d %s 2023 %02d:%02d", day, kMonths[month],
                  minute % 1440 / 60, minute % 60);
    for (const char* pair :
         {"\"2031\",\"7\"", "\"2031\",\"8\"", "\"4410\",\"1\"", "\"517\",\"2\""}) {
      data +=
          std::string(pair) + ",\"" + date + "\",S1044,0.7,12.394,0,1.5,10.991,0,2.5,9.891,0\r\n";
    }
  }
  return data;
}

std::string OnePairDataFile(int lines) {
  std::string data = "\"Station export\",\"unit 3\",\"firmware 2.14\"\r\n";
  const std::string reading =
      "\"2031\",\"7\",\"14 Jul 2023 09:05\",S100,0.7,12.5,0,1.5,11.75,0\r\n";
  for (int line = 0; line < lines; ++line) data += reading;
  return data;
}

WindowTest::WindowTest() {
  program_ = folder_ / "tolvanex.exe";
  EXPECT_TRUE(::CopyFileW(win32::WideFromAnsi(TOLVANEX_WINDOW).c_str(),
                          win32::WideFromAnsi(program_).c_str(), FALSE));
  PrepareExample(folder_);
}

}  // namespace tolvanex::testing
