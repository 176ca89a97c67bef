#include "app/qt/file_filters.h"

#include <gtest/gtest.h>

#include "ui/pickers.h"

namespace tolvanex {
namespace {

using qt::QtNameFilter;
using qt::QtNameFilters;

TEST(QtNameFilters, TheFilterListsOfBothFileFieldsKeepTheirDescriptions) {
  QStringList data = QtNameFilters(ParseFilterText(FilterText(0)));
  EXPECT_EQ(data, (QStringList{"Sondrel files (Sd*.dat) (Sd*.dat)",
                               "Sondrel Backup (Sd*.old) (Sd*.old)", "All files (*.*) (*)"}));
  QStringList lookup = QtNameFilters(ParseFilterText(FilterText(1)));
  EXPECT_EQ(lookup, (QStringList{"Lookup files (*.lkp) (*.lkp)", "All files (*.*) (*)"}));
  EXPECT_TRUE(qt::QtCanShowDescriptionsOnly(data));
  EXPECT_TRUE(qt::QtCanShowDescriptionsOnly(lookup));
}

TEST(QtNameFilters, PatternsAreSeparatedByBlanksAndEveryFileIsAStar) {
  EXPECT_EQ(QtNameFilter({"Data", "*.dat;*.old"}), "Data (*.dat *.old)");
  EXPECT_EQ(QtNameFilter({"Data", " *.dat ; ;*.old"}), "Data (*.dat *.old)");
  EXPECT_EQ(QtNameFilter({"Logs", "*.log;*.*"}), "Logs (*.log *)");
  EXPECT_EQ(QtNameFilter({"Anything", ""}), "Anything (*)");
  // Without a description the pattern describes itself.
  EXPECT_EQ(QtNameFilter({"", "*.lkp"}), "*.lkp (*.lkp)");
}

TEST(QtNameFilters, TextOutsideAsciiKeepsItsCharactersAndItsPatternStaysInSight) {
  QString filter = QtNameFilter({"M\xc3\xa5ler", "*.m\xc3\xa5l"});
  EXPECT_EQ(filter, QString::fromUtf8("Måler (*.mål)"));
  // Qt would not find such a pattern behind a hidden description.
  EXPECT_FALSE(qt::QtCanShowDescriptionsOnly({filter}));
}

}  // namespace
}  // namespace tolvanex
