#include "app/batch/terminal_platform.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>
#include <string_view>

#include "app/batch/progress_line.h"
#include "app/batch/terminal_text.h"
#include "base/errors.h"
#include "base/paths.h"
#include "ui/frm_tolvanex.h"
#include "system/desktop.h"
#include "system/regional.h"
#include "system/stop_requests.h"
#include "system/terminal.h"

namespace tolvanex {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(100);
constexpr std::string_view kLineBreak = "\r\n";

// A message box's lines end in CR LF; on a terminal each is a plain line, its controls escaped.
std::string AsTerminalLines(std::string_view text) {
  std::string lines;
  for (;;) {
    auto end = text.find(kLineBreak);
    lines += EscapeControls(text.substr(0, end));
    if (end == std::string_view::npos) return lines;
    lines += '\n';
    text.remove_prefix(end + kLineBreak.size());
  }
}

// A failure report is the description, a line break and the prefix with the label; anything
// else in a message box (the "Must be a site number" of the prompt) is no report.
std::optional<Report> ReportIn(std::string_view text) {
  std::string marker(kLineBreak);
  marker += kErrorPrefix;
  auto at = text.find(marker);
  if (at == std::string_view::npos) return std::nullopt;
  return Report{std::string(text.substr(0, at)), std::string(text.substr(at + marker.size()))};
}

}  // namespace

TerminalPlatform::TerminalPlatform(ProgramInfo program, TerminalOptions options)
    : program_(std::move(program)), options_(options) {}

void TerminalPlatform::StartFile(int number, int count) {
  fileNumber_ = number;
  fileCount_ = count;
  reports_ = everyRun_;
  siteNumberMissing_ = false;
  // Each file shows its progress from its start.
  lastDraw_ = {};
}

void TerminalPlatform::EndProgress() {
  if (progressWidth_ == 0) return;
  std::cerr << '\r' << std::string(progressWidth_, ' ') << '\r' << std::flush;
  progressWidth_ = 0;
}

void TerminalPlatform::MessageBox(const std::string& text, const std::string&) {
  EndProgress();
  if (auto report = ReportIn(text)) reports_.push_back(std::move(*report));
  std::cerr << AsTerminalLines(text) << '\n' << std::flush;
}

std::string TerminalPlatform::CurrentPair() const {
  if (form_ == nullptr) return std::string();
  const auto& fields = form_->CurrentReading.Fields;
  if (fields.size() < 2) return std::string();
  return fields[0] + " / " + fields[1];
}

std::string TerminalPlatform::InputBox(const std::string& prompt, const std::string&,
                                       const std::string& defaultAnswer) {
  EndProgress();
  if (!options_.Prompt) {
    siteNumberMissing_ = true;
    throw Failure("No site number for " + CurrentPair() + " in the lookup file");
  }
  std::cerr << EscapeControls(prompt) << " [" << defaultAnswer << "]: " << std::flush;
  // Any stop request cancels, also one that came before the prompt.
  InputLine answer = ReadStandardInputLine(0);
  switch (answer.How) {
    case InputLine::End::StopRequest:
      // As the box's Cancel: the run ends after this line.
      std::cerr << '\n' << std::flush;
      return std::string();
    case InputLine::End::EndOfInput:
      siteNumberMissing_ = true;
      std::cerr << "\ntolvanex-batch: the run stopped because no site number was given for "
                << EscapeControls(CurrentPair()) << '\n'
                << std::flush;
      return std::string();
    case InputLine::End::Line:
      break;
  }
  std::string& text = answer.Text;
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text.empty() ? defaultAnswer : text;
}

void TerminalPlatform::Note(const std::string& text) {
  EndProgress();
  std::cerr << text << '\n' << std::flush;
}

void TerminalPlatform::DoEvents() {
  if (form_ == nullptr) return;
  if (StopRequestCount() > 0) form_->RunState.StopRequested = true;
  if (!options_.ShowProgress) return;
  auto now = std::chrono::steady_clock::now();
  if (now - lastDraw_ < kProgressInterval) return;
  lastDraw_ = now;
  DrawProgress();
}

void TerminalPlatform::DrawProgress() {
  const auto& run = form_->RunState;
  Progress progress;
  progress.FileName = EscapeControls(NameOfFile(form_->Txt_File[0].Text));
  progress.FileNumber = fileNumber_;
  progress.FileCount = fileCount_;
  progress.BytesRead = run.DataBytesRead;
  progress.FileSize = run.DataFileSize;
  progress.ReadingsPosted = run.ReadingsPosted;
  int columns = TerminalColumns(StandardStream::Error);
  std::string line = ProgressLine(progress, columns);
  // Blanks over what the last frame showed beyond this one, short of the last column.
  std::size_t width = ColumnsOf(line);
  std::size_t cover = progressWidth_;
  if (columns > 0) cover = std::min(cover, static_cast<std::size_t>(columns - 1));
  if (width < cover) line.append(cover - width, ' ');
  std::cerr << '\r' << line << std::flush;
  progressWidth_ = ColumnsOf(line);
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
