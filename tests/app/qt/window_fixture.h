// A window over a fresh model, with the Qt desktop, a lock file and a folder of its own, and the
// answerer for the dialogs it opens.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>

#include "app/qt/control_widgets.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "app/qt/text_fields.h"
#include "system/regional_settings.h"
#include "tests/app/qt/modal_answerer.h"
#include "tests/support/temp_folder.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex::testing {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    // The model's dates and numbers do not follow the machine's locale.
    form.Regional = EnglishRegionalSettings();
  }
  // Choosing a file makes its folder the current one, and this test's folder goes with it.
  ~WindowTest() override { std::filesystem::current_path(startFolder); }

  void TearDown() override {
    EXPECT_TRUE(answerer.AllAnswered()) << "a dialog the test expected never opened";
    for (const QString& title : answerer.Unexpected()) {
      ADD_FAILURE() << "unexpected dialog: " << title.toStdString();
    }
  }

  const qt::ControlWidgets& Controls() const { return window.Controls(); }

  std::filesystem::path startFolder = std::filesystem::current_path();
  TempFolder folder;
  qt::QtPlatform desktop{folder / "tolvanex.lock"};
  Frm_Tolvanex form{desktop};
  qt::MainWindow window{form, desktop};
  ModalAnswerer answerer;
};

}  // namespace tolvanex::testing
