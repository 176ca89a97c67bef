#include "core/site_resolution.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "base/labels.h"
#include "base/text.h"
#include "core/conversion.h"
#include "formats/locale_number.h"
#include "lookup/lookup_table.h"

namespace tolvanex {

namespace {

inline constexpr const char* kNoIdentifiers = "Subscript out of range";

// Halves go to the even neighbour; a value that does not fit 32 bits is refused, never wrapped.
std::int32_t ToSiteNumber(double value) {
  double rounded = RoundHalfEven(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw Failure(kOverflow);
  }
  return static_cast<std::int32_t>(rounded);
}

std::int32_t StoredSiteNumber(std::string_view siteID, const RegionalSettings& regional) {
  std::optional<double> value = ReadLocaleNumber(siteID, regional);
  if (!value) throw Failure(kTypeMismatch);
  return ToSiteNumber(*value);
}

// Asks until the answer is a number or empty; no value when the user gave none.
std::optional<double> AskSiteNumber(Conversion& conversion, std::string_view id1,
                                    std::string_view id2) {
  std::string prompt(id1);
  prompt += " / ";
  prompt += id2;
  prompt += " needs a site number";
  // The prompt shows where the run has got to.
  conversion.ShowStatus(true);
  for (;;) {
    std::string answer = conversion.Observer.AskSiteNumber(id1, id2, prompt);
    if (answer.empty()) return std::nullopt;
    // The answer is read by the same rule that accepts it, so what the user sees accepted is
    // what gets stored.
    if (auto number = ReadLocaleNumber(answer, conversion.Request.Regional)) return number;
    conversion.Observer.Tell(std::string(kNotASiteNumber));
  }
}

}  // namespace

bool FindSiteNumber(Conversion& conversion, std::int32_t& siteNumber) {
  try {
    // A table kept loaded from an earlier run is read again when another program has changed
    // its file since: a batch job's answers are never lost by the window's next save. Within a
    // run the folder's lock keeps other runs out, so one look per run is enough.
    LookupStore& lookup = conversion.Lookup;
    const std::string& path = conversion.Request.LookupFile;
    bool reload =
        !lookup.Loaded || (!conversion.Run.LookupChecked && LookupFileChanged(lookup, path));
    conversion.Run.LookupChecked = true;
    if (reload && !LoadLookupTable(lookup, path, conversion)) return false;

    const auto& fields = conversion.Reading.Fields;
    if (fields.size() < 2) throw Failure(kNoIdentifiers);
    std::string_view id1 = fields[0];
    std::string_view id2 = fields[1];

    if (std::int64_t i = lookup.Entries.FindFirst(id1, id2); i > 0) {
      siteNumber = StoredSiteNumber(lookup.Entries[i].SiteID, conversion.Request.Regional);
      return true;
    }

    std::optional<double> answer = AskSiteNumber(conversion, id1, id2);
    if (!answer) conversion.Run.StopRequested = true;
    // A stop asked for before this call ends the run too; the answer is then not kept.
    if (conversion.Run.StopRequested) return false;

    siteNumber = ToSiteNumber(*answer);
    // The new pair is kept as the reading spells it, so the file shows what the logger sent.
    lookup.Entries.Append(LookupEntry{std::string(id1), std::string(id2), DecimalText(siteNumber)});
    if (conversion.Request.SortLookup) SortLookupTable(lookup, conversion);
    return SaveLookupFile(lookup, path, conversion);
  } catch (...) {
    ReportFailure(conversion, std::string(labels::kGetSiteID) + DecimalText(siteNumber));
    return false;
  }
}

}  // namespace tolvanex
