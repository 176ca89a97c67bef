#include "app/batch/terminal_observer.h"

#include <algorithm>
#include <iostream>

#include "app/batch/progress_line.h"
#include "app/batch/terminal_text.h"
#include "base/errors.h"
#include "base/paths.h"
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

std::string Pair(std::string_view id1, std::string_view id2) {
  std::string pair(id1);
  pair += " / ";
  pair += id2;
  return pair;
}

}  // namespace

void TerminalObserver::StartFile(const std::string& dataFile, int number, int count) {
  fileName_ = EscapeControls(NameOfFile(dataFile));
  fileNumber_ = number;
  fileCount_ = count;
  progress_ = {};
  siteNumberMissing_ = false;
  // Each file shows its progress from its first line.
  lastDraw_ = {};
}

void TerminalObserver::EndProgress() {
  if (progressWidth_ == 0) return;
  std::cerr << '\r' << std::string(progressWidth_, ' ') << '\r' << std::flush;
  progressWidth_ = 0;
}

void TerminalObserver::Show(std::string_view text) {
  EndProgress();
  std::cerr << AsTerminalLines(text) << '\n' << std::flush;
}

void TerminalObserver::Take(const tolvanex::Report& report) {
  taken_.push_back(report);
  Report(report);
}

void TerminalObserver::Report(const tolvanex::Report& report) {
  Show(ErrorReport(report.Description, report.Label));
}

void TerminalObserver::Tell(const std::string& text) {
  Show(text);
}

void TerminalObserver::Note(const std::string& text) {
  EndProgress();
  std::cerr << text << '\n' << std::flush;
}

std::string TerminalObserver::AskSiteNumber(std::string_view id1, std::string_view id2,
                                            const std::string& prompt) {
  EndProgress();
  if (!options_.Prompt) {
    siteNumberMissing_ = true;
    throw Failure("No site number for " + Pair(id1, id2) + " in the lookup file");
  }
  std::cerr << EscapeControls(prompt) << " [" << kSitePromptDefault << "]: " << std::flush;
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
                << EscapeControls(Pair(id1, id2)) << '\n'
                << std::flush;
      return std::string();
    case InputLine::End::Line:
      break;
  }
  std::string& text = answer.Text;
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text.empty() ? std::string(kSitePromptDefault) : text;
}

bool TerminalObserver::StopRequested() {
  bool stop = StopRequestCount() > 0;
  if (options_.ShowProgress) {
    auto now = std::chrono::steady_clock::now();
    if (now - lastDraw_ >= kProgressInterval) {
      lastDraw_ = now;
      DrawProgress();
    }
  }
  return stop;
}

void TerminalObserver::DrawProgress() {
  tolvanex::Progress line;
  line.FileName = fileName_;
  line.FileNumber = fileNumber_;
  line.FileCount = fileCount_;
  line.BytesRead = progress_.BytesRead;
  line.FileSize = progress_.FileSize;
  line.ReadingsPosted = progress_.ReadingsPosted;
  int columns = TerminalColumns(StandardStream::Error);
  std::string text = ProgressLine(line, columns);
  // Blanks over what the last frame showed beyond this one, short of the last column.
  std::size_t width = ColumnsOf(text);
  std::size_t cover = progressWidth_;
  if (columns > 0) cover = std::min(cover, static_cast<std::size_t>(columns - 1));
  if (width < cover) text.append(cover - width, ' ');
  std::cerr << '\r' << text << std::flush;
  progressWidth_ = ColumnsOf(text);
}

}  // namespace tolvanex
