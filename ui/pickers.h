// The file and folder buttons: the open-file dialog for the two file fields and the folder
// picker for the two folder fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/platform.h"

namespace tolvanex {

class Frm_Tolvanex;

// The open-file dialog's filter list for a file field, as descriptions and patterns joined by
// "|": 0 the data files and their backups, 1 the lookup files; both end with all files.
std::string FilterText(int index);
// Splits a "|"-joined filter text into its pairs. Throws a Failure when a description has no
// pattern.
std::vector<FileFilter> ParseFilterText(std::string_view text);

// Lets the user choose the file of Txt_File(index); a cancel changes nothing. The dialog opens in
// the folder of the current name, which stays the current folder afterwards.
void GetFileName(Frm_Tolvanex& form, int index);
// A file button. A new lookup file, or the same one chosen again, is read again at the next
// site number resolution, even after a cancel.
void Cmd_GetFile_Click(Frm_Tolvanex& form, int index);

// Whether files dragged onto the window can be dropped: exactly one, an existing file (not a
// folder), and no run going.
bool CanDropFiles(const Frm_Tolvanex& form, const std::vector<std::string>& paths);
// A file dropped onto a file field becomes its text, as if chosen with the field's button: a
// lookup file is read again at the next site number resolution.
void DropFile(Frm_Tolvanex& form, int index, const std::string& path);

// What the folder of Lbl_Folder(index) is for: 0 the post files, any other the output files.
std::string FolderPurpose(int index);
// Opens the folder picker at path, or at the current folder when path is empty, under the prompt
// "Locate a folder for " + purpose. True when the user chose a folder, which path then holds.
// A failure is shown with its description alone and gives false.
bool BrowseForFolder(Frm_Tolvanex& form, std::string& path, std::string_view purpose);
// A folder button. A new output folder refills the files list at once.
void Cmd_GetFolder_Click(Frm_Tolvanex& form, int index);

}  // namespace tolvanex
