#include "app/batch/terminal_platform.h"

#include <iostream>
#include <stdexcept>
#include <string_view>

#include "model/frm_tolvanex.h"
#include "system/desktop.h"
#include "system/regional.h"

namespace tolvanex {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(100);

// A report's line break is CR LF in a message box; on a terminal it is a plain new line.
std::string AsTerminalLines(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
    lines += text[at];
  }
  return lines;
}

}  // namespace

TerminalPlatform::TerminalPlatform(ProgramInfo program, bool showProgress)
    : program_(std::move(program)), showProgress_(showProgress) {}

void TerminalPlatform::EndProgress() {
  if (!progressShown_) return;
  std::cerr << '\n' << std::flush;
  progressShown_ = false;
}

void TerminalPlatform::MessageBox(const std::string& text, const std::string&) {
  EndProgress();
  std::cerr << AsTerminalLines(text) << '\n' << std::flush;
}

std::string TerminalPlatform::InputBox(const std::string& prompt, const std::string&,
                                       const std::string& defaultAnswer) {
  EndProgress();
  std::cerr << prompt << " [" << defaultAnswer << "]: " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) {
    std::cerr << '\n';
    return std::string();  // end of input cancels, as the box's Cancel does
  }
  if (!answer.empty() && answer.back() == '\r') answer.pop_back();
  return answer.empty() ? defaultAnswer : answer;
}

void TerminalPlatform::Note(const std::string& text) {
  EndProgress();
  std::cerr << text << '\n' << std::flush;
}

void TerminalPlatform::DoEvents() {
  if (!showProgress_ || form_ == nullptr) return;
  auto now = std::chrono::steady_clock::now();
  if (now - lastDraw_ < kProgressInterval) return;
  lastDraw_ = now;
  const auto& run = form_->RunState;
  std::cerr << "\r" << run.DataBytesRead << " of " << run.DataFileSize << " bytes read, "
            << run.ReadingsPosted << " readings posted" << std::flush;
  progressShown_ = true;
}

void TerminalPlatform::StartEditor(const std::string&) {
  throw std::runtime_error("No editor is started from the batch command");
}

RegionalSettings TerminalPlatform::Regional() const {
  return RegionalSettingsFromLocale("");
}

int TerminalPlatform::CurrentYear() const {
  return LocalYear();
}

}  // namespace tolvanex
