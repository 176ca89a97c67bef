// The window as start-up meets it: a program in a temporary folder with its settings file
// there, and a home folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/guards.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::testing {

// The program lives in a temporary folder and holds its settings file there (a portable copy);
// the user's home folder, for a program without one, lies in the temporary folder too.
class StartUp : public ::testing::Test {
 protected:
  StartUp() {
    desktop.Info.Folder = folder.Path();
    WriteFile(IniPath(), "");
  }
  std::string IniPath() const { return folder / "tolvanex.ini"; }

  TempFolder folder;
  std::string home = folder / "home";
  EnvironmentVariable homeVariable{"HOME", home.c_str()};
  EnvironmentVariable configVariable{"XDG_CONFIG_HOME", nullptr};
  EnvironmentVariable dataVariable{"XDG_DATA_HOME", nullptr};
  ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

}  // namespace tolvanex::testing
