#include "ui/run_thread.h"

#include <memory>
#include <utility>

#include "base/errors.h"
#include "ui/platform.h"

namespace tolvanex {

namespace {

// The readings of a few pairs take turns: a name among the last few counted is counted there,
// so that the list of uses stays as short as the pairs in turn, whatever the readings.
constexpr std::size_t kNamesLookedBack = 32;

void CountUse(std::vector<std::pair<std::string, std::int64_t>>& uses, const std::string& name,
              std::int64_t count) {
  std::size_t from = uses.size() > kNamesLookedBack ? uses.size() - kNamesLookedBack : 0;
  for (std::size_t i = uses.size(); i-- > from;) {
    if (uses[i].first == name) {
      uses[i].second += count;
      return;
    }
  }
  uses.emplace_back(name, count);
}

}  // namespace

RunThread::RunThread(Platform& desktop, PostToWindow post, std::function<void()> beforeBox,
                     std::function<void(const ConversionResult&)> ended)
    : desktop_(desktop),
      post_(std::move(post)),
      beforeBox_(std::move(beforeBox)),
      ended_(std::move(ended)) {}

RunThread::~RunThread() {
  if (!thread_.joinable()) return;
  cancel_ = true;
  {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
  }
  answered_.notify_all();
  thread_.join();
}

void RunThread::Start(ConversionEngine& engine, ConversionRequest request) {
  if (thread_.joinable()) thread_.join();
  cancel_ = false;
  newsWanted_ = true;
  news_ = RunNews();
  told_ = RunNews();
  thread_ = std::thread([this, &engine, request = std::move(request)] {
    ConversionResult result;
    try {
      result = engine.Convert(request, *this);
    } catch (...) {
      // The engine reports its own failures; what is left (memory) ends the run all the same.
      result.Reports.push_back({DescriptionOf(std::current_exception()), ""});
    }
    Finish(std::move(result));
  });
}

RunNews RunThread::TakeNews() {
  std::lock_guard lock(mutex_);
  RunNews news = std::move(news_);
  news_ = RunNews();
  news_.Progress = news.Progress;
  newsWanted_ = true;
  return news;
}

void RunThread::HandOver() {
  std::lock_guard lock(mutex_);
  if (told_.Status) news_.Status = std::move(told_.Status);
  news_.Progress = told_.Progress;
  if (told_.PostFile) news_.PostFile = std::move(told_.PostFile);
  for (auto& [name, count] : told_.TextFiles) CountUse(news_.TextFiles, name, count);
  told_ = RunNews();
}

void RunThread::Finish(ConversionResult result) {
  HandOver();
  // The window's thread joins the run before it takes the result, so that the next run starts
  // on a thread of its own.
  auto shared = std::make_shared<ConversionResult>(std::move(result));
  post_([this, life = std::weak_ptr<int>(life_), shared] {
    if (life.expired()) return;
    if (thread_.joinable()) thread_.join();
    ended_(*shared);
  });
}

bool RunThread::OnWindowThread(const std::function<void()>& task) {
  HandOver();
  auto done = std::make_shared<bool>(false);
  post_([this, life = std::weak_ptr<int>(life_), task, done] {
    if (life.expired()) return;
    {
      std::lock_guard lock(mutex_);
      if (abandoned_) return;
    }
    beforeBox_();
    task();
    {
      std::lock_guard lock(mutex_);
      *done = true;
    }
    answered_.notify_all();
  });
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [this, &done] { return *done || abandoned_; });
  return *done;
}

std::string RunThread::AskSiteNumber(std::string_view, std::string_view,
                                     const std::string& prompt) {
  std::string answer;
  OnWindowThread([this, &prompt, &answer] {
    answer =
        desktop_.InputBox(prompt, std::string(kSitePromptTitle), std::string(kSitePromptDefault));
  });
  return answer;
}

void RunThread::Tell(const std::string& text) {
  OnWindowThread([this, &text] { desktop_.MessageBox(text, std::string(kApplicationTitle)); });
}

void RunThread::Report(const tolvanex::Report& report) {
  OnWindowThread([this, &report] {
    desktop_.MessageBox(ErrorReport(report.Description, report.Label),
                        std::string(kApplicationTitle));
  });
}

void RunThread::Progress(const RunProgress& progress) {
  told_.Progress = progress;
}

void RunThread::Status(std::string_view text) {
  // Asked for by the window: the news go with it.
  told_.Status = std::string(text);
  HandOver();
}

void RunThread::PostFileNamed(const std::string& path) {
  told_.PostFile = path;
}

void RunThread::TextFileUsed(const std::string& name) {
  CountUse(told_.TextFiles, name, 1);
}

}  // namespace tolvanex
