#include "ui/pickers.h"

#include <exception>
#include <filesystem>

#include "base/errors.h"
#include "base/labels.h"
#include "base/paths.h"
#include "system/folders.h"
#include "ui/files_list.h"
#include "ui/frm_tolvanex.h"
#include "ui/show_error.h"

namespace tolvanex {

namespace {

constexpr std::string_view kDataFileFilters =
    "Sondrel files (Sd*.dat)|Sd*.dat|Sondrel Backup (Sd*.old)|Sd*.old";
constexpr std::string_view kLookupFileFilters = "Lookup files (*.lkp)|*.lkp";
constexpr std::string_view kAllFilesFilter = "|All files (*.*)|*.*";

// The wrappers around the desktop's dialogs show a failure with its description alone.
void ShowDescription(Frm_Tolvanex& form) {
  form.Desktop.MessageBox(DescriptionOf(std::current_exception()), std::string(kApplicationTitle));
}

void RequireFieldIndex(int index, const char* what) {
  if (index != 0 && index != 1) throw Failure(what);
}

// The dialog opens where the current name lives. A bare name, or a folder that is gone, leaves
// the current folder as it is.
void ChangeToFolderOf(const std::string& name) {
  std::string folder = PathOfFile(name);
  if (folder.empty() && !name.empty() && IsPathSeparator(name.front())) folder = name.substr(0, 1);
  if (!folder.empty()) ChangeCurrentFolder(folder);
}

}  // namespace

std::string FilterText(int index) {
  std::string text;
  if (index == 0) text = kDataFileFilters;
  if (index == 1) text = kLookupFileFilters;
  text += kAllFilesFilter;
  return text;
}

std::vector<FileFilter> ParseFilterText(std::string_view text) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    auto bar = text.find('|');
    parts.push_back(text.substr(0, bar));
    if (bar == std::string_view::npos) break;
    text.remove_prefix(bar + 1);
    // A bar at the very end still separates: the pattern after it is empty.
    if (text.empty()) parts.emplace_back();
  }
  if (parts.size() % 2 != 0) throw Failure("The filter list has a description without a pattern");
  std::vector<FileFilter> filters;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    filters.push_back({std::string(parts[i]), std::string(parts[i + 1])});
  }
  return filters;
}

void GetFileName(Frm_Tolvanex& form, int index) {
  try {
    RequireFieldIndex(index, "There is no such file field");
    std::vector<FileFilter> filters = ParseFilterText(FilterText(index));
    std::string initialName = form.Txt_File[index].Text;
    ChangeToFolderOf(initialName);
    std::optional<std::string> chosen = form.Desktop.ShowOpen(filters, initialName);
    if (chosen) form.Txt_File[index].Text = *chosen;
  } catch (...) {
    ShowDescription(form);
  }
}

void Cmd_GetFile_Click(Frm_Tolvanex& form, int index) {
  GetFileName(form, index);
  form.Engine.ForgetLookupTable();
}

bool CanDropFiles(const Frm_Tolvanex& form, const std::vector<std::string>& paths) {
  return !form.Run.Running && paths.size() == 1 && FileExists(paths.front());
}

void DropFile(Frm_Tolvanex& form, int index, const std::string& path) {
  if (index != 0 && index != 1) return;
  form.Txt_File[static_cast<std::size_t>(index)].Text = path;
  form.Engine.ForgetLookupTable();
}

std::string FolderPurpose(int index) {
  return index == 0 ? "Folder for post files" : "Folder for output files";
}

bool BrowseForFolder(Frm_Tolvanex& form, std::string& path, std::string_view purpose) {
  try {
    if (path.empty()) path = std::filesystem::current_path().string();
    std::string prompt = "Locate a folder for " + std::string(purpose);
    std::optional<std::string> chosen = form.Desktop.BrowseForFolder(prompt, path);
    if (!chosen) return false;
    path = TrimNull(*chosen);
    return true;
  } catch (...) {
    ShowDescription(form);
    return false;
  }
}

void Cmd_GetFolder_Click(Frm_Tolvanex& form, int index) {
  try {
    RequireFieldIndex(index, "There is no such folder field");
    std::string folder = form.Lbl_Folder[index].Caption;
    if (!BrowseForFolder(form, folder, FolderPurpose(index))) return;
    form.Lbl_Folder[index].Caption = folder;
    if (index == 1) RefreshFilesListBox(form);
  } catch (...) {
    ShowError(form, labels::kFolderChoice);
  }
}

}  // namespace tolvanex
