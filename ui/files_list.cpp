#include "ui/files_list.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/helpers.h"
#include "core/labels.h"
#include "core/run_state.h"
#include "ui/frm_tolvanex.h"

namespace tolvanex {

namespace {

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view tail) {
  if (tail.size() > text.size()) return false;
  text.remove_prefix(text.size() - tail.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (FoldCase(text[i]) != FoldCase(tail[i])) return false;
  }
  return true;
}

// An open folder listing, closed when it ends.
class FolderListing {
 public:
  explicit FolderListing(DIR* folder) : folder_(folder) {}
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;
  ~FolderListing() {
    if (folder_ != nullptr) ::closedir(folder_);
  }
  DIR* Get() const { return folder_; }

 private:
  DIR* folder_;
};

// Links are followed, so a link to a file is listed and a link to a folder is not. A name that
// vanished or cannot be examined is simply not an ordinary file.
bool IsOrdinaryFile(DIR* folder, const char* name) {
  struct stat info {};
  return ::fstatat(::dirfd(folder), name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool MatchesExtension(std::string_view name, std::string_view extension) {
  if (name.empty() || name.front() == '.') return false;
  if (extension.empty() && name.find('.') == std::string_view::npos) return true;
  std::string tail = "." + std::string(extension);
  return EndsWithIgnoringCase(name, tail);
}

void RefreshFilesListBox(Frm_Tolvanex& form) {
  try {
    std::string folder = AddBackslash(form.Lbl_Folder[1].Caption);
    form.Lst_Files.Clear();
    // The refill drops the selection, and with it what the list's edit button would open.
    form.Cmd_Edit[2].Enabled = false;

    // An empty caption lists the current folder, where a bare file name would be found too.
    FolderListing listing(::opendir(folder.empty() ? "." : folder.c_str()));
    if (listing.Get() == nullptr) {
      if (errno == ENOENT || errno == ENOTDIR) return;
      io::ThrowSystemError(errno);
    }
    const std::string& extension = form.Txt_Extension.Text;
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(listing.Get());
      if (entry == nullptr) {
        if (errno != 0) io::ThrowSystemError(errno);
        break;
      }
      if (MatchesExtension(entry->d_name, extension) &&
          IsOrdinaryFile(listing.Get(), entry->d_name)) {
        form.Lst_Files.AddItem(entry->d_name);
      }
    }
  } catch (...) {
    ShowError(form, labels::kRefreshFilesListBox);
  }
}

std::string EditPath(const Frm_Tolvanex& form, int index) {
  switch (index) {
    case 0:
      return form.Txt_File[0].Text;
    case 1:
      return form.Txt_File[1].Text;
    case 2:
      return AddBackslash(form.Lbl_Folder[1].Caption) + form.Lst_Files.Text();
    case 3:
      return form.Lbl_File[0].Caption;
    default:
      return std::string();
  }
}

void EditFile(Frm_Tolvanex& form, int index) {
  std::string path;
  try {
    path = EditPath(form, index);
    // No test for existence: the editor offers to create a file that is missing.
    form.Desktop.StartEditor(path);
  } catch (...) {
    ShowError(form, std::string(labels::kEditFile) + path);
  }
}

void Cmd_Edit_Click(Frm_Tolvanex& form, int index) {
  EditFile(form, index);
  form.LookupLoaded = false;
}

void Lst_Files_Click(Frm_Tolvanex& form) {
  SetProcessing(form);
}

void Lst_Files_DblClick(Frm_Tolvanex& form) {
  EditFile(form, 2);
}

}  // namespace tolvanex
