// The data file read and analysed on a thread of its own, ahead of the writers. The lines come
// out in their order, each with what its analysis reported, for the run's own thread to replay
// as if it had analysed the line itself: files, reports and statuses are those of one thread.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "base/reports.h"
#include "core/line_analysis.h"
#include "formats/data_file_reader.h"
#include "model/current_reading.h"

namespace tolvanex {

struct AnalysedLine {
  std::uint64_t BytesRead = 0;  // of the data file, up to this line's end
  bool Shrank = false;          // the reader had seen the file cut by then
  LineAnalyser::Outcome Outcome = LineAnalyser::Outcome::NotAReading;
  std::vector<Report> Reports;  // what the analysis reported, in order
  // A reading: its first fields (the identifiers, the date's text and the SN: the writers need no
  // others), its time and its values, the texts views into the batch's copy of the line. Every
  // byte of it crosses from one core to the other, so it is kept small.
  static constexpr std::size_t kFieldsHandedOver = 4;
  std::array<std::string_view, kFieldsHandedOver> Fields;
  double ReadingTime = 0;
  int MaxColumn = 0;
  // A value, and the text of its digits when the line gave them (KnownDigits, whose magnitude is
  // then the value's). The values of all a batch's lines lie in one array, in their order.
  struct Value {
    double Number = 0;
    const char* Text = nullptr;
    std::uint32_t TextSize = 0;
    std::int32_t Slot = 0;
  };
  const Value* Values = nullptr;  // set as the line is handed out
  std::uint32_t FirstValue = 0;
  std::uint32_t ValueCount = 0;

  // Takes the reading the analysis left, its values onto the batch's, and puts it into one that
  // ClearReading has emptied.
  void TakeFrom(const CurrentReading& reading, std::vector<Value>& values);
  void PutInto(CurrentReading& reading) const;
};

class AnalysisThread {
 public:
  // Starts reading at once. The reader, the pattern and the memo of dates belong to the thread
  // until it is stopped; the request and the levels must not change meanwhile.
  AnalysisThread(DataFileReader& data, const ConversionRequest& request,
                 const ColumnLevelTable& levels, const DatePattern& pattern, DateTextMemo& dates);
  // Stops the thread and waits for it.
  ~AnalysisThread();
  AnalysisThread(const AnalysisThread&) = delete;
  AnalysisThread& operator=(const AnalysisThread&) = delete;

  // The next line, valid until the next call; nullptr after the last line. A failure to read the
  // data file is thrown here, after the lines before it.
  const AnalysedLine* Next();
  // Whether the reader had seen the data file cut by the last line taken, or by its end.
  bool Shrank() const { return shrank_; }

  // A batch's lines: copies of the data file's lines, analysed.
  static constexpr std::size_t kLinesPerBatch = 1024;
  static constexpr std::size_t kBatchText = 256u << 10;

 private:
  struct Batch {
    std::string Text;  // the lines' copies; never reallocated while views into it are out
    std::vector<AnalysedLine> Lines = std::vector<AnalysedLine>(kLinesPerBatch);
    std::vector<AnalysedLine::Value> Values;
    std::size_t Count = 0;
    bool Last = false;  // no batch follows: the file has ended, or failed
    bool ShrankAtEnd = false;
    std::exception_ptr Failure;
  };
  // The reports of the line in hand go into its list.
  class LineReports : public ReportSink {
   public:
    void Take(const Report& report) override { into_->push_back(report); }
    void Into(std::vector<Report>* reports) { into_ = reports; }

   private:
    std::vector<Report>* into_ = nullptr;
  };

  void Work();
  void Fill(Batch& batch);
  // A free batch for the thread; nullptr once it is to stop.
  Batch* TakeFree();
  void HandOver(Batch* batch);
  void Stop();

  DataFileReader& data_;
  LineReports reports_;
  LineAnalyser analyser_;
  CurrentReading reading_;    // the line in hand, and the level codes known
  std::string_view pending_;  // a line read but not yet copied: its batch was full
  bool hasPending_ = false;

  // Each side's own state on cache lines of its own, so that neither slows the other down.
  alignas(64) std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<Batch>> batches_;
  std::vector<Batch*> free_;
  std::deque<Batch*> full_;
  bool stopping_ = false;

  // The run's side.
  alignas(64) Batch* current_ = nullptr;
  std::size_t next_ = 0;
  bool ended_ = false;
  bool shrank_ = false;

  std::thread thread_;  // last: started once everything above is ready
};

}  // namespace tolvanex
