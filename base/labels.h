// The labels under which the trapping routines report their failures. A label that names a path
// or a value is followed by it directly; the trailing blank is part of such a label.
#pragma once

#include <string_view>

namespace tolvanex::labels {

inline constexpr std::string_view kMyGetSetting = "MyGetSetting";
inline constexpr std::string_view kMySaveSetting = "MySaveSetting";
inline constexpr std::string_view kLoadSettings = "LoadSettings";
inline constexpr std::string_view kSaveSettings = "SaveSettings";
inline constexpr std::string_view kEditFile = "EditFile: ";
inline constexpr std::string_view kDoExport = "DoExport: ";
inline constexpr std::string_view kAnalyseLine = "AnalyseLine";
inline constexpr std::string_view kDateTimeValue = "DateTimeValue: ";
inline constexpr std::string_view kExportPostFile = "ExportPostFile: ";
// The text file writer reports under the post file writer's label; the path tells them apart.
inline constexpr std::string_view kExportTextFile = "ExportPostFile: ";
inline constexpr std::string_view kLastDateInFile = "LastDateInFile: ";
inline constexpr std::string_view kLoadLookup = "LoadLookup";
inline constexpr std::string_view kSaveLookupFile = "SaveLookupFile: ";
inline constexpr std::string_view kSortLookups = "SortLookups";
inline constexpr std::string_view kGetSiteID = "GetSiteID: ";
inline constexpr std::string_view kRefreshFilesListBox = "RefreshFilesListBox";
inline constexpr std::string_view kFolderChoice = "Folder choice";
inline constexpr std::string_view kLoad = "Load";
// The batch command's move of a converted data file into its archive folder.
inline constexpr std::string_view kArchiveDataFile = "ArchiveDataFile: ";

}  // namespace tolvanex::labels
