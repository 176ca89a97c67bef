// The read-back of a text file's last date, which looks at the end of the file first and further
// back only while it finds no whole dated line.
//
// Input: the bytes of a per-site text file.
// - The result is the date of the last line of the whole file that has a comma and whose first
//   field reads as a date, or 0 when no line has: reading the file from its end in growing pieces
//   finds what reading it all would, and never a date from a line cut by a piece's start. A last
//   line without its line end (cut by a kill) is not taken.
// - A readable file gives no report.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion.h"
#include "core/text_writer.h"
#include "formats/date_value.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/quiet_observer.h"

namespace tolvanex::fuzz {

namespace {

double LastDateOfWholeFile(std::string_view file, const RegionalSettings& regional, int year) {
  std::vector<std::string_view> lines = LinesOf(file);
  if (!file.empty() && file.back() != '\r' && file.back() != '\n') lines.pop_back();
  for (std::size_t i = lines.size(); i-- > 0;) {
    std::size_t comma = lines[i].find(',');
    if (comma == std::string_view::npos) continue;
    if (std::optional<double> date = ParseDateTime(lines[i].substr(0, comma), regional, year)) {
      return *date;
    }
  }
  return 0;
}

}  // namespace
}  // namespace tolvanex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvanex;
  using namespace tolvanex::fuzz;
  static const std::string path = ScratchFolder() + "/1037_2.txt";
  WriteBytes(path, data, size);

  ConversionRequest request;
  request.CurrentYear = 2023;
  testing::QuietObserver observer;
  EngineSession session;
  Conversion conversion(request, observer, session);
  double found = LastDateInFile(conversion, path);
  FUZZ_CHECK(observer.Messages.empty());
  std::string_view file(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(found == LastDateOfWholeFile(file, request.Regional, request.CurrentYear));
  return 0;
}
