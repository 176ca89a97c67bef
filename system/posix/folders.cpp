#include "system/folders.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "system/file_io.h"

namespace tolvanex {

namespace {

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

// A name that vanished or cannot be examined is simply not an ordinary file.
bool IsOrdinaryFile(DIR* folder, const char* name) {
  struct stat info {};
  return ::fstatat(::dirfd(folder), name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

std::optional<std::vector<std::string>> OrdinaryFilesIn(
    const std::string& folder, const std::function<bool(std::string_view name)>& wanted) {
  FolderListing listing(::opendir(folder.empty() ? "." : folder.c_str()));
  if (listing.Get() == nullptr) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    io::ThrowSystemError(errno);
  }
  std::vector<std::string> names;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(listing.Get());
    if (entry == nullptr) {
      if (errno != 0) io::ThrowSystemError(errno);
      break;
    }
    if (wanted(entry->d_name) && IsOrdinaryFile(listing.Get(), entry->d_name)) {
      names.emplace_back(entry->d_name);
    }
  }
  return names;
}

bool ChangeCurrentFolder(const std::string& folder) {
  return ::chdir(folder.c_str()) == 0;
}

bool FolderIsWritable(const std::string& folder) {
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         ::access(folder.c_str(), W_OK) == 0;
}

void MakeFolders(const std::string& folder, FolderAccess access) {
  mode_t mode = access == FolderAccess::UserOnly ? 0700 : 0777;
  for (std::size_t at = 1; at <= folder.size(); ++at) {
    if (at == folder.size() || folder[at] == '/') ::mkdir(folder.substr(0, at).c_str(), mode);
  }
}

}  // namespace tolvanex
