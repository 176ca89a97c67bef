#include "core/line_analysis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/conversion.h"
#include "tests/support/recording_observer.h"

namespace tolvanex {
namespace {

class LineAnalysis : public ::testing::Test {
 protected:
  const CurrentReading& reading() const { return conversion.Reading; }
  std::vector<std::string> Reports() const { return observer.ReportTexts(); }

  // Line analysis opens no file: the request's paths are never looked at.
  ConversionRequest request = testing::RequestAt("unused");
  testing::RecordingObserver observer;
  EngineSession session;
  Conversion conversion{request, observer, session};
};

TEST_F(LineAnalysis, ReadsADataLineIntoTheReading) {
  ASSERT_TRUE(
      AnalyseLine(conversion, "\" 123 \", 4 ,\"14 Jul 2023 09:05\", \"S7\" ,0.7,12.5,x,2.5,-3,x"));
  EXPECT_EQ(reading().Fields[0], "123");
  EXPECT_EQ(reading().Fields[1], "4");
  EXPECT_EQ(reading().Fields[2], "\"14 Jul 2023 09:05\"");  // the date field keeps its quotes
  EXPECT_EQ(reading().SN, " \"S7\" ");                      // kept exactly as split
  EXPECT_NEAR(reading().ReadingTime, 45121.378472222, 1e-8);
  EXPECT_EQ(reading().Values[1], 12.5);
  EXPECT_EQ(reading().Values[3], -3.0);
  EXPECT_FALSE(reading().Values[2].has_value());
  EXPECT_EQ(reading().MaxColumn, 3);
  EXPECT_EQ(conversion.Status(), "123/4 14 Jul 2023 09:05");
  EXPECT_TRUE(observer.Reports.empty());
}

TEST_F(LineAnalysis, ShortLinesAndLinesOfFewFieldsAreNotDataLines) {
  EXPECT_FALSE(AnalyseLine(conversion, "a,b,c,d,e,"));         // 10 characters
  EXPECT_FALSE(AnalyseLine(conversion, "1,2,3,4,5,6,7,8,9"));  // 8 commas
  EXPECT_FALSE(AnalyseLine(conversion, ""));
  EXPECT_TRUE(observer.Reports.empty());
  EXPECT_EQ(conversion.Status(), "");
}

TEST_F(LineAnalysis, ElevenCharactersWithNineCommasMakeADataLine) {
  EXPECT_TRUE(AnalyseLine(conversion, "a,b,1/2/2023,,,,,,,"));
  EXPECT_EQ(reading().Fields.size(), 10u);
}

TEST_F(LineAnalysis, AHeaderLineIsADataLineWhoseDateIsReported) {
  EXPECT_TRUE(AnalyseLine(conversion, "ID1,ID2,Date,SN,Level,Value,Flag,Level,Value,Flag"));
  EXPECT_EQ(Reports(), std::vector<std::string>{"Type mismatch\r\nTolvanex:DateTimeValue: Date"});
  EXPECT_EQ(reading().ReadingTime, 0.0);
  // Level codes that read as 0 match the first zero level of the table.
  EXPECT_EQ(reading().Values[33], 0.0);
  EXPECT_EQ(reading().MaxColumn, 33);
}

TEST_F(LineAnalysis, LevelsMatchWithinATenthInTableOrder) {
  struct Case {
    const char* level;
    int slot;
  };
  for (Case c :
       {Case{"1.45", 2}, Case{"1.55", 2}, Case{"1.5", 2}, Case{"0.7", 1}, Case{"31.5", 32},
        Case{"0.05", 33}, Case{"1.6", 0}, Case{"2.39", 0}, Case{"32.5", 0}, Case{"0.3", 0}}) {
    ClearReading(conversion);
    ASSERT_TRUE(AnalyseLine(conversion, std::string("1,2,1/2/2023,S,") + c.level + ",9,x,99,1,x"));
    for (int j = 1; j < kValueSlots; ++j) {
      EXPECT_EQ(reading().Values[j].has_value(), j == c.slot) << c.level << " slot " << j;
    }
  }
}

TEST_F(LineAnalysis, ValueFieldsReadTheirLeadingNumber) {
  ASSERT_TRUE(
      AnalyseLine(conversion, "1,2,1/2/2023,S,0.7,12.5abc,x,1.5,abc,x,2.5,1 2.5,x,3.5, ,x"));
  EXPECT_EQ(reading().Values[1], 12.5);
  EXPECT_EQ(reading().Values[2], 0.0);   // starts with letters: stored as 0
  EXPECT_EQ(reading().Values[3], 12.5);  // the blank inside is ignored
  EXPECT_EQ(reading().Values[4], 0.0);   // a blank field is not empty
}

TEST_F(LineAnalysis, EmptyOrMissingValuesLeaveTheSlotsAlone) {
  ASSERT_TRUE(AnalyseLine(conversion, "1,2,1/2/2023,S,0.7,5,x,1.5,6,x"));
  ASSERT_TRUE(AnalyseLine(conversion, "1,2,1/2/2023,S,0.7,,x,2.5,7,x,1.5"));
  EXPECT_EQ(reading().Values[1], 5.0);  // the line does not clear: the earlier value stays
  EXPECT_EQ(reading().Values[2], 6.0);
  EXPECT_EQ(reading().Values[3], 7.0);
}

TEST_F(LineAnalysis, ALaterGroupOfTheSameLevelReplacesTheEarlier) {
  ASSERT_TRUE(AnalyseLine(conversion, "1,2,1/2/2023,S,1.5,1,x,1.52,2,x"));
  EXPECT_EQ(reading().Values[2], 2.0);
}

TEST_F(LineAnalysis, MaxColumnIsTheHighestSlotFilled) {
  ASSERT_TRUE(AnalyseLine(conversion, "1,2,1/2/2023,S,6.5,1,x,2.5,2,x"));
  EXPECT_EQ(reading().MaxColumn, 7);
  for (int j : {1, 2, 4, 5, 6}) EXPECT_FALSE(reading().Values[j].has_value()) << j;
}

TEST_F(LineAnalysis, ClearReadingEmptiesValuesAndTimeButKeepsFieldsAndSN) {
  ASSERT_TRUE(AnalyseLine(conversion, "1,2,1/2/2023,S9,6.5,1,x,2.5,2,x"));
  ClearReading(conversion);
  for (const auto& value : reading().Values) EXPECT_FALSE(value.has_value());
  EXPECT_EQ(reading().ReadingTime, 0.0);
  EXPECT_EQ(reading().MaxColumn, 0);
  EXPECT_EQ(reading().SN, "S9");
  EXPECT_EQ(reading().Fields[0], "1");
}

TEST_F(LineAnalysis, AValueBeyondTheDoubleRangeIsAnOverflow) {
  EXPECT_FALSE(AnalyseLine(conversion, "1,2,1/2/2023,S,0.7,4,x,1.5,1e400,x"));
  EXPECT_EQ(Reports(), std::vector<std::string>{"Overflow\r\nTolvanex:AnalyseLine"});
  EXPECT_EQ(reading().Values[1], 4.0);  // filled before the failure, kept
}

TEST_F(LineAnalysis, ALevelBeyondSinglePrecisionIsAnOverflowOnEveryLine) {
  for (int line = 1; line <= 2; ++line) {
    EXPECT_FALSE(AnalyseLine(conversion, "1,2,1/2/2023,S,1e39,4,x,1.5,1,x"));
    ASSERT_EQ(Reports().size(), static_cast<std::size_t>(line));
    EXPECT_EQ(Reports().back(), "Overflow\r\nTolvanex:AnalyseLine");
  }
}

TEST_F(LineAnalysis, TakesLinesOfMoreThan32768Fields) {
  std::string line = "1,2,1/2/2023,S";
  for (int i = 0; i < 20000; ++i) line += ",99,1,x";
  line += ",4.5,8,x";
  ASSERT_TRUE(AnalyseLine(conversion, line));
  EXPECT_EQ(reading().Fields.size(), 4u + 3u * 20001u);
  EXPECT_EQ(reading().Values[5], 8.0);
}

std::string FormatReadingDate(Conversion& conversion, double value) {
  std::string text;
  AppendReadingDate(conversion, text, value);
  return text;
}

TEST_F(LineAnalysis, ReadingDatesFollowTheRequestsDatePattern) {
  EXPECT_EQ(FormatReadingDate(conversion, 45121.5416666667), "14 Jul 2023 13:00");
  request.DatePattern = "yyyy-mm-dd HH:MM";
  EXPECT_EQ(FormatReadingDate(conversion, 45121.3784722222), "2023-07-14 09:05");
  request.DatePattern = "";
  EXPECT_EQ(FormatReadingDate(conversion, 45121.5416666667), "45121.5416666667");
}

TEST_F(LineAnalysis, DateTimeValueReportsTheTextItWasGiven) {
  EXPECT_EQ(DateTimeValue(conversion, conversion.Request, "SN"), 0.0);
  EXPECT_EQ(Reports(), std::vector<std::string>{"Type mismatch\r\nTolvanex:DateTimeValue: SN"});
  EXPECT_NEAR(DateTimeValue(conversion, conversion.Request, "2023-07-14 13:00"), 45121.5416666667,
              1e-9);
}

}  // namespace
}  // namespace tolvanex
