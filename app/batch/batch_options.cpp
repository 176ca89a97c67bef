#include "app/batch/batch_options.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <vector>

#include "model/frm_tolvanex.h"
#include "system/version.h"

namespace tolvanex {

namespace {

// A pair of switches such as --post / --no-post. Both are plain flags; which one wins is decided
// after parsing from the order in which they were given, so that the last one counts.
struct Switch {
  CLI::Option* On;
  CLI::Option* Off;
  std::optional<int>* Target;
};

Switch AddSwitch(CLI::App& app, const std::string& name, const std::string& what,
                 std::optional<int>& target) {
  CLI::Option* on = app.add_flag("--" + name)->description("Turn on: " + what);
  CLI::Option* off = app.add_flag("--no-" + name)->description("Turn off: " + what);
  return {on, off, &target};
}

void ApplySwitches(const CLI::App& app, const std::vector<Switch>& switches) {
  for (const CLI::Option* given : app.parse_order()) {
    for (const Switch& pair : switches) {
      if (given == pair.On) *pair.Target = 1;
      if (given == pair.Off) *pair.Target = 0;
    }
  }
}

}  // namespace

std::optional<int> ParseBatchOptions(int argc, const char* const* argv, BatchOptions& options) {
  CLI::App app{
      "Converts a data file into post files and per-site text files, with the settings "
      "of the Tolvanex window.",
      "tolvanex-batch"};
  app.set_version_flag("--version", "tolvanex-batch " + VersionText());
  app.add_option("--settings", options.SettingsFile, "Settings file to read")->option_text("FILE");
  app.add_option("--data", options.DataFile, "Data file to convert")->option_text("FILE");
  std::vector<Switch> switches;
  switches.push_back(AddSwitch(app, "post", "write post files", options.OutputPostFile));
  app.add_option("--post-folder", options.PostFolder, "Folder for post files")->option_text("DIR");
  app.add_option("--lookup", options.LookupFile, "Lookup file of site numbers")
      ->option_text("FILE");
  switches.push_back(
      AddSwitch(app, "sort", "sort the lookup file when it is saved", options.SortLookup));
  switches.push_back(
      AddSwitch(app, "text", "write one text file per site", options.OutputTextFile));
  app.add_option("--extension", options.Extension, "Extension of the text files")
      ->option_text("EXT");
  app.add_option("--output-folder", options.OutputFolder, "Folder for the text files")
      ->option_text("DIR");
  app.add_option("--date-format", options.DateFormat, "Date format of the text files")
      ->option_text("PATTERN");
  app.add_flag("--quiet", options.Quiet, "No progress display");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return kExitFinished;
  } catch (const CLI::CallForVersion&) {
    std::cout << app.version() << '\n';
    return kExitFinished;
  } catch (const CLI::ParseError& e) {
    std::cerr << "tolvanex-batch: " << e.what() << "\n\n" << app.help();
    return kExitUsage;
  }
  ApplySwitches(app, switches);
  return std::nullopt;
}

void ApplyBatchOptions(const BatchOptions& options, Frm_Tolvanex& form) {
  if (options.DataFile) form.Txt_File[0].Text = *options.DataFile;
  if (options.OutputPostFile) form.Chk_OutputPostFile.Value = *options.OutputPostFile;
  if (options.PostFolder) form.Lbl_Folder[0].Caption = *options.PostFolder;
  if (options.LookupFile) form.Txt_File[1].Text = *options.LookupFile;
  if (options.SortLookup) form.Chk_SortLookup.Value = *options.SortLookup;
  if (options.OutputTextFile) form.Chk_OutputTextFiles.Value = *options.OutputTextFile;
  if (options.Extension) form.Txt_Extension.Text = *options.Extension;
  if (options.OutputFolder) form.Lbl_Folder[1].Caption = *options.OutputFolder;
  if (options.DateFormat) form.Cmb_Dateformat.Text = *options.DateFormat;
}

}  // namespace tolvanex
