#include "base/default_paths.h"

#include "system/folders.h"

namespace tolvanex {

#ifdef _WIN32
std::string DefaultPostFolder() {
  return "C:\\Velko";
}
std::string DefaultDataFile() {
  return "C:\\Sondrel\\Sondrel.dat";
}
#else
std::string DefaultPostFolder() {
  return HomeFolder() + "/Velko";
}
std::string DefaultDataFile() {
  return HomeFolder() + "/Sondrel/Sondrel.dat";
}
#endif

}  // namespace tolvanex
