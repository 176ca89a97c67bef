// The desktop of the batch command: reports on stderr, the site prompt on stderr and stdin, a
// progress line on a terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "model/platform.h"

namespace tolvanex {

class Frm_Tolvanex;

class TerminalPlatform : public Platform {
 public:
  TerminalPlatform(ProgramInfo program, bool showProgress);

  // The window whose run the progress line follows.
  void Follow(const Frm_Tolvanex* form) { form_ = form; }
  // Ends the progress line, so that the next output starts on a line of its own.
  void EndProgress();

  void MessageBox(const std::string& text, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultAnswer) override;
  std::optional<std::string> ShowOpen(const std::vector<FileFilter>&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  int MousePointer() const override { return pointer_; }
  void SetMousePointer(int code) override { pointer_ = code; }
  void RepaintStatus(const BorderedLabel&) override {}
  void DoEvents() override;
  void StartEditor(const std::string& path) override;
  bool AnotherInstanceRunning() override { return false; }
  ProgramInfo Program() const override { return program_; }
  RegionalSettings Regional() const override;
  int CurrentYear() const override;
  void CloseWindow() override {}
  void Note(const std::string& text) override;

 private:
  ProgramInfo program_;
  bool showProgress_;
  bool progressShown_ = false;
  const Frm_Tolvanex* form_ = nullptr;
  int pointer_ = kPointerDefault;
  std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace tolvanex
