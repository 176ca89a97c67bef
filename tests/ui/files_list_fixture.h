// The files list over a temporary folder, with the extension "dat".
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/scripted_platform.h"
#include "tests/support/temp_folder.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::testing {

class FilesList : public ::testing::Test {
 protected:
  FilesList() {
    form.Lbl_Folder[1].Caption = folder.Path();
    form.Txt_Extension.Text = "dat";
  }
  void Touch(const std::string& name) { WriteFile(folder / name, "x\r\n"); }

  TempFolder folder;
  ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

}  // namespace tolvanex::testing
