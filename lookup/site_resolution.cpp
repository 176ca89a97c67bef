#include "lookup/site_resolution.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "base/errors.h"
#include "base/labels.h"
#include "base/text.h"
#include "formats/locale_number.h"
#include "lookup/lookup_table.h"
#include "model/frm_tolvanex.h"
#include "model/show_error.h"

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
std::optional<double> AskSiteNumber(Frm_Tolvanex& form, const std::string& prompt) {
  for (;;) {
    std::string answer = form.Desktop.InputBox(prompt, "Enter site number", "9999");
    if (answer.empty()) return std::nullopt;
    // The answer is read by the same rule that accepts it, so what the user sees accepted is
    // what gets stored.
    if (auto number = ReadLocaleNumber(answer, form.Regional)) return number;
    form.Desktop.MessageBox("Must be a site number", std::string(kApplicationTitle));
  }
}

}  // namespace

bool GetSiteID(Frm_Tolvanex& form, std::int32_t& siteNumber) {
  try {
    // A table kept loaded from an earlier run is read again when another program has changed
    // its file since: a batch job's answers are never lost by the window's next save. Within a
    // run the folder's lock keeps other runs out, so one look per run is enough.
    auto& run = form.RunState;
    bool reload = !form.LookupLoaded || (!run.LookupChecked && LookupFileChanged(form));
    run.LookupChecked = true;
    if (reload && !LoadLookup(form)) return false;

    const auto& fields = form.CurrentReading.Fields;
    if (fields.size() < 2) throw Failure(kNoIdentifiers);
    const std::string& id1 = fields[0];
    const std::string& id2 = fields[1];

    if (std::int64_t i = form.Lookups.FindFirst(id1, id2); i > 0) {
      siteNumber = StoredSiteNumber(form.Lookups[i].SiteID, form.Regional);
      return true;
    }

    std::optional<double> answer = AskSiteNumber(form, id1 + " / " + id2 + " needs a site number");
    if (!answer) form.RunState.StopRequested = true;
    // A stop asked for before this call ends the run too; the answer is then not kept.
    if (form.RunState.StopRequested) return false;

    siteNumber = ToSiteNumber(*answer);
    // The new pair is kept as the reading spells it, so the file shows what the logger sent.
    AppendLookup(form, LookupEntry{id1, id2, DecimalText(siteNumber)});
    if (form.Chk_SortLookup.IsSet()) SortLookups(form);
    return SaveLookupFile(form);
  } catch (...) {
    ShowError(form, std::string(labels::kGetSiteID) + DecimalText(siteNumber));
    return false;
  }
}

}  // namespace tolvanex
