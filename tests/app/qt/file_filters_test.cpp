#include "app/qt/file_filters.h"

#include <gtest/gtest.h>

#include "ui/pickers.h"

namespace tolvanex {
namespace {

using qt::QtNameFilter;
using qt::QtNameFilters;

TEST(QtNameFilters, TheFilterListsOfBothFileFieldsBecomeQtsForm) {
  EXPECT_EQ(QtNameFilters(ParseFilterText(FilterText(0))),
            (QStringList{"Sondrel files (Sd*.dat)", "Sondrel Backup (Sd*.old)", "All files (*)"}));
  EXPECT_EQ(QtNameFilters(ParseFilterText(FilterText(1))),
            (QStringList{"Lookup files (*.lkp)", "All files (*)"}));
}

TEST(QtNameFilters, PatternsAreAddedInBracketsUnlessTheDescriptionShowsThem) {
  EXPECT_EQ(QtNameFilter({"Text files", "*.txt"}), "Text files (*.txt)");
  EXPECT_EQ(QtNameFilter({"Text files (*.txt)", "*.txt"}), "Text files (*.txt)");
  // A description that shows another pattern still gets the one in force.
  EXPECT_EQ(QtNameFilter({"Text (*.text)", "*.txt"}), "Text (*.text) (*.txt)");
}

TEST(QtNameFilters, SeveralPatternsAreSeparatedByBlanks) {
  EXPECT_EQ(QtNameFilter({"Data", "*.dat;*.old"}), "Data (*.dat *.old)");
  EXPECT_EQ(QtNameFilter({"Data (*.dat;*.old)", "*.dat;*.old"}), "Data (*.dat *.old)");
  EXPECT_EQ(QtNameFilter({"Data", " *.dat ; ;*.old"}), "Data (*.dat *.old)");
}

TEST(QtNameFilters, EveryFileIsAStarAndNothingIsEveryFile) {
  EXPECT_EQ(QtNameFilter({"Everything", "*.*"}), "Everything (*)");
  EXPECT_EQ(QtNameFilter({"Logs", "*.log;*.*"}), "Logs (*.log *)");
  EXPECT_EQ(QtNameFilter({"Anything", ""}), "Anything (*)");
  EXPECT_EQ(QtNameFilter({"", "*.lkp"}), "*.lkp");
}

TEST(QtNameFilters, TextOutsideAsciiKeepsItsCharacters) {
  EXPECT_EQ(QtNameFilter({"M\xc3\xa5ler", "*.m\xc3\xa5l"}), QString::fromUtf8("Måler (*.mål)"));
}

}  // namespace
}  // namespace tolvanex
