#include "ui/window_options.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace tolvanex {
namespace {

WindowOptions Read(std::vector<const char*> arguments, const ToolkitArguments& toolkit = nullptr) {
  arguments.insert(arguments.begin(), "tolvanex");
  return ReadWindowOptions(static_cast<int>(arguments.size()), arguments.data(), toolkit);
}

TEST(WindowCommandLine, TheWindowsOptionsAndWhatIsWrongWithALine) {
  WindowOptions options = Read({"--settings", "C:\\x.ini", "--process-and-exit"});
  EXPECT_EQ(options.SettingsFile, "C:\\x.ini");
  EXPECT_TRUE(options.ProcessAndExit);
  EXPECT_EQ(options.Problem, "");
  EXPECT_EQ(Read({"--settings=/a b.ini"}).SettingsFile, "/a b.ini");

  // Help and the version are answered whatever else the line holds.
  EXPECT_TRUE(Read({"--bad", "-h"}).Help);
  EXPECT_TRUE(Read({"--version", "x"}).Version);

  // A missing value is refused, not taken from the next option.
  EXPECT_EQ(Read({"--settings"}).Problem, "option '--settings' requires an argument");
  EXPECT_EQ(Read({"--process"}).Problem, "unrecognized option '--process'");
  EXPECT_EQ(Read({"data.dat"}).Problem, "unexpected operand 'data.dat'");
  EXPECT_EQ(Read({"-"}).Problem, "unexpected operand '-'");
}

TEST(WindowCommandLine, TheToolkitTakesItsOwnArgumentsWithTheirValues) {
  auto toolkit = [](const char* const* argument, int left) {
    return std::string_view(*argument) == "-platform" ? (left > 1 ? 2 : 1) : 0;
  };
  WindowOptions options = Read({"-platform", "offscreen", "--process-and-exit"}, toolkit);
  EXPECT_EQ(options.Problem, "");
  EXPECT_TRUE(options.ProcessAndExit);
  EXPECT_EQ(Read({"-platform", "offscreen"}).Problem, "unrecognized option '-platform'");
}

}  // namespace
}  // namespace tolvanex
