// A desktop for programs that drive the window model without anyone at it (fuzz targets,
// benchmarks): it takes everything, shows nothing, answers no prompt and keeps the reports.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "system/regional_settings.h"
#include "ui/platform.h"

namespace tolvanex::testing {

class QuietDesktop : public Platform {
 public:
  std::vector<std::string> Messages;
  tolvanex::RegionalSettings Settings = EnglishRegionalSettings();

  void MessageBox(const std::string& text, const std::string&) override {
    Messages.push_back(text);
  }
  std::string InputBox(const std::string&, const std::string&, const std::string&) override {
    return "";
  }
  std::optional<std::string> ShowOpen(const std::vector<FileFilter>&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  int MousePointer() const override { return kPointerDefault; }
  void SetMousePointer(int) override {}
  void RepaintStatus(const BorderedLabel&) override {}
  void DoEvents() override {}
  void StartEditor(const std::string&) override {}
  bool AnotherInstanceRunning() override { return false; }
  ProgramInfo Program() const override { return {}; }
  RegionalSettings Regional() const override { return Settings; }
  int CurrentYear() const override { return 2023; }
  void CloseWindow() override {}
};

}  // namespace tolvanex::testing
