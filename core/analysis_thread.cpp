#include "core/analysis_thread.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tolvanex {

namespace {

// Enough for the thread to read on while the run's thread writes, and no more: a batch and its
// lines' copies are reused once the run has taken them.
constexpr std::size_t kBatches = 4;

}  // namespace

void AnalysedLine::TakeFrom(const CurrentReading& reading, std::vector<Value>& values) {
  std::copy_n(reading.Fields.begin(), kFieldsHandedOver, Fields.begin());
  ReadingTime = reading.ReadingTime;
  MaxColumn = reading.MaxColumn;
  FirstValue = static_cast<std::uint32_t>(values.size());
  for (int slot = 1; slot <= reading.MaxColumn; ++slot) {
    if (!reading.Values[slot]) continue;
    const KnownDigits& digits = reading.Digits[slot];
    Value& value = values.emplace_back();
    value.Number = *reading.Values[slot];
    value.Slot = slot;
    // Digits that are not views into the line, or not of this value, stay behind: the value alone
    // gives the same text.
    if (!digits.Text.empty() && digits.Magnitude == std::fabs(value.Number)) {
      value.Text = digits.Text.data();
      value.TextSize = static_cast<std::uint32_t>(digits.Text.size());
    }
  }
  ValueCount = static_cast<std::uint32_t>(values.size()) - FirstValue;
}

void AnalysedLine::PutInto(CurrentReading& reading) const {
  reading.Fields.assign(Fields.begin(), Fields.end());
  reading.SN = Fields[3];
  reading.ReadingTime = ReadingTime;
  reading.MaxColumn = MaxColumn;
  for (const Value* value = Values; value != Values + ValueCount; ++value) {
    reading.Values[value->Slot] = value->Number;
    KnownDigits& digits = reading.Digits[value->Slot];
    digits.Magnitude = value->TextSize != 0 ? std::fabs(value->Number) : -1;
    digits.Text = std::string_view(value->Text, value->TextSize);
  }
}

AnalysisThread::AnalysisThread(DataFileReader& data, const ConversionRequest& request,
                               const ColumnLevelTable& levels, const DatePattern& pattern,
                               DateTextMemo& dates)
    : data_(data), analyser_(request, levels, pattern, dates, reports_) {
  for (std::size_t i = 0; i < kBatches; ++i) {
    batches_.push_back(std::make_unique<Batch>());
    free_.push_back(batches_.back().get());
  }
  thread_ = std::thread(&AnalysisThread::Work, this);
}

AnalysisThread::~AnalysisThread() {
  Stop();
}

void AnalysisThread::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

AnalysisThread::Batch* AnalysisThread::TakeFree() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return stopping_ || !free_.empty(); });
  if (stopping_) return nullptr;
  Batch* batch = free_.back();
  free_.pop_back();
  return batch;
}

void AnalysisThread::HandOver(Batch* batch) {
  {
    std::lock_guard lock(mutex_);
    full_.push_back(batch);
  }
  changed_.notify_all();
}

void AnalysisThread::Work() {
  for (;;) {
    Batch* batch = TakeFree();
    if (batch == nullptr) return;
    batch->Count = 0;
    batch->Values.clear();
    batch->Last = false;
    batch->Failure = nullptr;
    // Memory taken for a long line is given back.
    if (batch->Text.capacity() > kBatchText) std::string().swap(batch->Text);
    batch->Text.clear();
    batch->Text.reserve(kBatchText);
    try {
      Fill(*batch);
    } catch (...) {
      batch->Failure = std::current_exception();
      batch->Last = true;
    }
    bool last = batch->Last;
    HandOver(batch);
    if (last) return;
  }
}

void AnalysisThread::Fill(Batch& batch) {
  std::string& text = batch.Text;
  while (batch.Count < kLinesPerBatch) {
    std::string_view line;
    if (hasPending_) {
      line = pending_;
      hasPending_ = false;
    } else if (!data_.ReadLine(line)) {
      batch.Last = true;
      batch.ShrankAtEnd = data_.Shrank();
      return;
    }
    // The copy must not move while the run looks at it: a line that does not fit waits for the
    // next batch, which makes room for it when it is longer than a batch holds.
    if (text.size() + line.size() > text.capacity()) {
      if (batch.Count > 0) {
        pending_ = line;
        hasPending_ = true;
        return;
      }
      text.reserve(line.size());
    }
    std::size_t at = text.size();
    text.append(line);
    std::string_view copy(text.data() + at, line.size());

    AnalysedLine& out = batch.Lines[batch.Count];
    out.BytesRead = data_.BytesRead();
    out.Shrank = data_.Shrank();
    out.Reports.clear();
    reports_.Into(&out.Reports);
    out.Outcome = analyser_.Analyse(copy, reading_);
    if (out.Outcome != LineAnalyser::Outcome::NotAReading) {
      out.TakeFrom(reading_, batch.Values);
      ClearReading(reading_);
    }
    ++batch.Count;
  }
}

const AnalysedLine* AnalysisThread::Next() {
  for (;;) {
    if (current_ != nullptr) {
      if (next_ < current_->Count) {
        AnalysedLine& line = current_->Lines[next_++];
        line.Values = current_->Values.data() + line.FirstValue;
        shrank_ = line.Shrank;
        return &line;
      }
      Batch* done = std::exchange(current_, nullptr);
      bool last = done->Last;
      bool shrankAtEnd = done->ShrankAtEnd;
      std::exception_ptr failure = done->Failure;
      {
        std::lock_guard lock(mutex_);
        free_.push_back(done);
      }
      changed_.notify_all();
      if (last) {
        ended_ = true;
        if (failure) std::rethrow_exception(failure);
        shrank_ = shrankAtEnd;
      }
    }
    if (ended_) return nullptr;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !full_.empty(); });
    current_ = full_.front();
    full_.pop_front();
    next_ = 0;
  }
}

}  // namespace tolvanex
