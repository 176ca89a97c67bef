#include "tests/support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "system/file_io.h"
#include "system/path_syntax.h"

namespace tolvanex::testing {

// A new folder of its own under the system's temporary folder, with a random name that no other
// test (in this process or another) has taken.
TempFolder::TempFolder() {
  std::random_device random;
  std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name =
        "tolvanex-test-" + std::to_string(random()) + std::to_string(random() % 1000);
    std::filesystem::path candidate = base / name;
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
  throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::operator/(std::string_view name) const {
  std::string path = path_ + kPathSeparator;
  for (char c : name) path += c == '/' ? kPathSeparator : c;
  return path;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool Exists(const std::string& path) {
  return std::filesystem::exists(path);
}

void MakeReadOnly(const std::string& path) {
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (!name.starts_with(".")) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

namespace {

std::string TextOfFailure(const std::function<void(const TempFolder& folder)>& action) {
  TempFolder folder;
  WriteFile(folder / "file", "x");
  try {
    action(folder);
  } catch (const std::system_error& failure) {
    return failure.code().message();
  }
  throw std::logic_error("the system did not refuse");
}

}  // namespace

std::string MissingFileText() {
  return TextOfFailure([](const TempFolder& f) { io::OpenForReading(f / "missing"); });
}

std::string MissingFolderText() {
  return TextOfFailure([](const TempFolder& f) { io::CreateNewFile(f / "missing/name"); });
}

std::string FolderAsFileText() {
  return TextOfFailure([](const TempFolder& f) { io::OpenForReading(f.Path()); });
}

std::string FileAsFolderText() {
  return TextOfFailure([](const TempFolder& f) { io::CreateNewFile(f / "file/name"); });
}

std::string NameTooLongText() {
  return TextOfFailure([](const TempFolder& f) { io::CreateNewFile(f / std::string(300, 'a')); });
}

}  // namespace tolvanex::testing
