// Writes a realistic logger data file for the benchmarks: a header line, then one reading a
// minute for each identifier pair (20 unless told), with SN changing every 500 minutes and 12
// level groups a line. The same seed always gives the same bytes.
//
//   generate_data <lines> <data file> <lookup file> [seed [pairs [lookup entries]]]
//
// The lookup file knows every pair, so that a run asks for no site number; with more entries
// than pairs, entries of other pairs come first and the data's pairs last.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

int pairCount = 20;
constexpr int kGroups = 12;
// The logger's SN changes every 500 minutes, whatever the number of pairs.
constexpr long kMinutesPerSN = 500;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int month, int year) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 1 && IsLeap(year) ? 29 : days[month];
}

// A calendar minute that steps forward one minute at a time.
struct Clock {
  int Year = 2023, Month = 6, Day = 14, Hour = 0, Minute = 0;  // 14 Jul 2023 00:00

  void Tick() {
    if (++Minute < 60) return;
    Minute = 0;
    if (++Hour < 24) return;
    Hour = 0;
    if (++Day <= DaysIn(Month, Year)) return;
    Day = 1;
    if (++Month < 12) return;
    Month = 0;
    ++Year;
  }

  void AppendTo(std::string& line) const {
    char text[32];
    std::snprintf(text, sizeof text, "%d %s %04d %02d:%02d", Day, kMonths[Month], Year, Hour,
                  Minute);
    line += text;
  }
};

// A level code: mostly a level of the column table, sometimes a near miss within the tolerance,
// sometimes a code that matches no level.
std::string LevelCode(std::mt19937_64& random, int group) {
  static const char* const kLevels[] = {"0.7", "1.5", "2.5", "3.5", "4.5",  "5.5",
                                        "6.5", "7.5", "8.5", "9.5", "10.5", "11.5"};
  int kind = static_cast<int>(random() % 100);
  if (kind < 90) return kLevels[group];
  if (kind < 96) return std::string(kLevels[group]) + "4";  // e.g. 1.54: still that level
  return kind < 98 ? "32.5" : "0.3";                        // no level at all
}

// A value of 3 to 8 significant digits, some negative, some empty.
std::string Value(std::mt19937_64& random) {
  int kind = static_cast<int>(random() % 100);
  if (kind < 3) return "";
  int digits = 3 + static_cast<int>(random() % 6);
  long mantissa = static_cast<long>(random() % 9 + 1);
  for (int i = 1; i < digits; ++i) mantissa = mantissa * 10 + static_cast<long>(random() % 10);
  int decimals = static_cast<int>(random() % (digits + 1));
  std::string text = std::to_string(mantissa);
  if (decimals == digits) {
    text = "0." + text;
  } else if (decimals > 0) {
    text.insert(text.size() - decimals, ".");
  }
  if (kind < 15) text = "-" + text;
  return text;
}

std::string Id1(int pair) {
  return std::to_string(1000 + pair * 37);
}
std::string Id2(int pair) {
  return std::to_string(pair % 4 + 1);
}

bool WriteLookupFile(const char* path, long entries) {
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  std::fputs("ID1, ID2, SiteID\r\n", out);
  for (long other = pairCount; other < entries; ++other) {
    std::fprintf(out, "X%ld, %ld, %ld\r\n", other, other % 4 + 1, 100000 + other);
  }
  for (int pair = 0; pair < pairCount; ++pair) {
    std::fprintf(out, "%s, %s, %d\r\n", Id1(pair).c_str(), Id2(pair).c_str(), 4100 + pair);
  }
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: generate_data <lines> <data file> <lookup file> [seed]\n");
    return 2;
  }
  long lines = std::atol(argv[1]);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  std::mt19937_64 random(argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 20230714u);
  if (argc > 5) pairCount = std::max(1, std::atoi(argv[5]));
  long entries = argc > 6 ? std::atol(argv[6]) : pairCount;
  if (!WriteLookupFile(argv[3], entries)) {
    std::perror(argv[3]);
    return 1;
  }

  std::fputs("\"Station export\",\"unit 3\",\"firmware 2.14\"\r\n", out);
  Clock clock;
  std::string line;
  for (long n = 0; n < lines; ++n) {
    int pair = static_cast<int>(n % pairCount);
    if (n > 0 && pair == 0) clock.Tick();
    line.clear();
    line += "\"" + Id1(pair) + "\",\"" + Id2(pair) + "\",\"";
    clock.AppendTo(line);
    line += "\",S" + std::to_string(1000 + n / pairCount / kMinutesPerSN);
    for (int group = 0; group < kGroups; ++group) {
      line += ",";
      line += LevelCode(random, group);
      line += ",";
      line += Value(random);
      line += ",0";
    }
    line += "\r\n";
    std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
