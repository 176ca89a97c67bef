#include "app/batch/progress_line.h"

#include <algorithm>
#include <string_view>

#include "app/batch/terminal_text.h"
#include "base/text.h"

namespace tolvanex {

namespace {

constexpr int kUnknownWidth = 80;
// A name cut shorter than this tells too little; the next, shorter form is taken instead.
constexpr std::size_t kShortestName = 8;

// One form of the line: the text before the name, the name, and the text after it.
struct Form {
  std::string Before;
  std::string After;
};

std::string Percent(const Progress& progress) {
  std::string text = DecimalText(PercentRead(progress.BytesRead, progress.FileSize));
  while (text.size() < 3) text.insert(text.begin(), ' ');
  return text + "%";
}

}  // namespace

int PercentRead(std::uint64_t bytesRead, std::uint64_t fileSize) {
  if (fileSize == 0) return 0;
  if (bytesRead >= fileSize) return 100;
  // In floating point, which no file size overflows; 100 only once the whole file is read.
  double percent = static_cast<double>(bytesRead) * 100 / static_cast<double>(fileSize);
  return std::min(static_cast<int>(percent), 99);
}

std::string ProgressLine(const Progress& progress, int columns) {
  // The last column is left free: a terminal that wraps there would put the next redraw on a
  // line of its own.
  std::size_t room = static_cast<std::size_t>((columns > 0 ? columns : kUnknownWidth) - 1);
  bool several = progress.FileCount > 1;
  std::string number = DecimalText(progress.FileNumber);
  std::string count = DecimalText(progress.FileCount);
  std::string readings = DecimalText(progress.ReadingsPosted);
  std::string percent = Percent(progress);
  const Form forms[] = {
      {several ? "file " + number + " of " + count + "  " : "",
       "  " + percent + "  " + readings + " readings posted"},
      {several ? number + "/" + count + "  " : "", "  " + percent + "  " + readings + " readings"},
      {several ? number + "/" + count + " " : "", " " + percent + " " + readings},
  };
  for (const Form& form : forms) {
    std::size_t fixed = ColumnsOf(form.Before) + ColumnsOf(form.After);
    if (fixed > room) continue;
    std::size_t nameRoom = room - fixed;
    if (ColumnsOf(progress.FileName) <= nameRoom || nameRoom >= kShortestName) {
      return form.Before + KeepEnd(progress.FileName, nameRoom) + form.After;
    }
  }
  // Narrower still: the percentage and the readings, as much of their end as fits.
  return KeepEnd(percent + " " + readings, room);
}

}  // namespace tolvanex
