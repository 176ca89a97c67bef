// The output files list and the edit buttons: which files of the output folder are shown, and
// how a file is handed to the text editor.
#pragma once

#include <string>
#include <string_view>

namespace tolvanex {

class Frm_Tolvanex;

// True when a bare file name belongs in the list for an extension: not hidden (no leading "."),
// and ending in "." + extension, letters compared without regard to case. The empty extension
// takes the names the text writer forms with it, which end in ".", and names without any ".".
bool MatchesExtension(std::string_view name, std::string_view extension);

// Refills Lst_Files with the ordinary files of the output folder Lbl_Folder(1) that carry the
// extension of Txt_Extension. A folder that does not exist leaves the list empty; other failures
// are reported under "RefreshFilesListBox".
void RefreshFilesListBox(Frm_Tolvanex& form);

// The file an edit index opens: 0 the data file, 1 the lookup file, 2 the selected entry of the
// list in the output folder, 3 the last post file; the empty text for any other index.
std::string EditPath(const Frm_Tolvanex& form, int index);
// Starts the text editor on the file of an edit index, without waiting for it.
void EditFile(Frm_Tolvanex& form, int index);

// An edit button: the file may change in the editor, so the lookup table is read again next time.
void Cmd_Edit_Click(Frm_Tolvanex& form, int index);
// A click on the list brings the edit button of the list in line with the selection.
void Lst_Files_Click(Frm_Tolvanex& form);
// A double-click opens the entry in the editor.
void Lst_Files_DblClick(Frm_Tolvanex& form);

}  // namespace tolvanex
