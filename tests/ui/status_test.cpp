#include "ui/status.h"

#include <gtest/gtest.h>

#include <system_error>

#include "base/errors.h"
#include "tests/support/scripted_platform.h"
#include "ui/frm_tolvanex.h"
#include "ui/show_error.h"

namespace tolvanex {
namespace {

class StatusAndReports : public ::testing::Test {
 protected:
  testing::ScriptedPlatform desktop;
  Frm_Tolvanex form{desktop};
};

TEST_F(StatusAndReports, StatusLineIsCreamWithTextAndButtonFaceWhenEmpty) {
  SetStatus(form, " ");
  EXPECT_EQ(form.Lbl_Status.BackColor, kStatusCream);
  EXPECT_EQ(form.Lbl_Status.BackColor, (Rgb{255, 251, 240, false}));
  SetStatus(form, "");
  EXPECT_EQ(form.Lbl_Status.BackColor, kButtonFace);
  EXPECT_EQ(form.Lbl_Status.Caption, "");
}

TEST_F(StatusAndReports, ReportIsDescriptionThenPrefixAndLabel) {
  try {
    throw std::system_error(ENOENT, std::generic_category());
  } catch (...) {
    ShowError(form, "DoExport: /data/a.dat");
  }
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text,
            "No such file or directory\r\nTolvanex:DoExport: /data/a.dat");
  EXPECT_EQ(desktop.Messages[0].Title, "Tolvanex");
}

TEST_F(StatusAndReports, AnEmptyDescriptionStartsTheReportWithTheLineBreak) {
  try {
    throw Failure("");
  } catch (...) {
    ShowError(form, "LoadLookup");
  }
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "\r\nTolvanex:LoadLookup");
}

}  // namespace
}  // namespace tolvanex
