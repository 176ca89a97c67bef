#include "tests/support/run_folder.h"

#include <filesystem>

#include "base/paths.h"
#include "model/frm_tolvanex.h"

namespace tolvanex::testing {

namespace fs = std::filesystem;

std::string RunData() {
  return std::string(TOLVANEX_TEST_DATA) + "/run";
}

void PrepareRunFolder(const std::string& folder) {
  fs::create_directories(folder + "/post");
  fs::create_directories(folder + "/text");
  fs::copy_file(RunData() + "/data.dat", folder + "/data.dat");
  fs::copy_file(RunData() + "/sites.lkp", folder + "/sites.lkp");
}

void PointWindowAt(Frm_Tolvanex& form, const std::string& folder) {
  FillColumnLevels(form);
  // As the user would pick them: with the system's separator.
  form.Txt_File[0].Text = AddBackslash(folder) + "data.dat";
  form.Txt_File[1].Text = AddBackslash(folder) + "sites.lkp";
  form.Lbl_Folder[0].Caption = AddBackslash(folder) + "post";
  form.Lbl_Folder[1].Caption = AddBackslash(folder) + "text";
  form.Chk_OutputPostFile.Value = 1;
  form.Chk_OutputTextFiles.Value = 1;
  form.Chk_SortLookup.Value = 1;
  form.Txt_Extension.Text = "txt";
  form.Cmb_Dateformat.Text = "d mmm yyyy HH:MM";
}

}  // namespace tolvanex::testing
