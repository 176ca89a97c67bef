#include "ui/window_controller.h"

#include <utility>

#include "ui/control_states.h"
#include "ui/files_list.h"
#include "ui/pickers.h"
#include "ui/startup.h"
#include "ui/window_events.h"

namespace tolvanex {

namespace {

// The click routine of each control and menu item that has one, by the name the window model
// gives it; the index tells the routine which of the array it is.
using ClickRoutine = void (*)(Frm_Tolvanex&, int);
const std::map<std::string_view, ClickRoutine>& ClickRoutines() {
  static const std::map<std::string_view, ClickRoutine> routines{
      {"Cmd_GetFile", Cmd_GetFile_Click},
      {"Cmd_GetFolder", Cmd_GetFolder_Click},
      {"Cmd_Edit", Cmd_Edit_Click},
      {"Lst_Files", [](Frm_Tolvanex& form, int) { Lst_Files_Click(form); }},
      {"mnu_File", mnu_File_Click},
      {"mnu_Help", mnu_Help_Click},
  };
  return routines;
}

// The menu items, which the control table leaves out.
const std::vector<ControlRef>& MenuItems() {
  static const std::vector<ControlRef> items{{"mnu_File", 0}, {"mnu_File", 1}, {"mnu_Help", 0}};
  return items;
}

}  // namespace

WindowController::WindowController(Frm_Tolvanex& form, WindowView& view)
    : form_(form),
      view_(view),
      run_(
          form.Desktop, [this](std::function<void()> task) { view_.Post(std::move(task)); },
          [this] {
            // A box that stops the run shows the window as the run left it.
            ShowRunNews(form_, run_.TakeNews());
            ShowModel();
          },
          [this](const ConversionResult& result) { RunEnded(result); }),
      routines_(BuildRoutines()) {}

std::map<std::tuple<std::string_view, int, ControlEvent>, WindowController::Routine>
WindowController::BuildRoutines() {
  std::map<std::tuple<std::string_view, int, ControlEvent>, Routine> routines;
  std::vector<ControlRef> controls = MenuItems();
  for (const ControlInfo& info : ControlTable()) controls.push_back({info.Name, info.Index});
  for (const ControlRef& control : controls) {
    auto found = ClickRoutines().find(control.Name);
    if (found == ClickRoutines().end()) continue;
    ClickRoutine click = found->second;
    int index = control.Index;
    routines[{control.Name, index, ControlEvent::Click}] = [this, click, index] {
      click(form_, index);
    };
  }
  routines[{"Lst_Files", -1, ControlEvent::DoubleClick}] = [this] { Lst_Files_DblClick(form_); };
  routines[{"Cmd_Close", -1, ControlEvent::Click}] = [this] {
    view_.LeaveSight();
    Cmd_Close_Click(form_);
  };
  return routines;
}

void WindowController::Load(const std::string& iniFile) {
  Run([this, &iniFile] {
    if (iniFile.empty()) {
      Form_Load(form_);
    } else {
      LoadWindow(form_, iniFile);
    }
  });
}

void WindowController::Handle(const ControlRef& control, ControlEvent event) {
  if (control.Name == "Cmd_Export") {
    if (event == ControlEvent::Click) PressRunButton();
    return;
  }
  // During a run only the run button takes input; a shortcut key still arrives as an event.
  if (!EnabledByRun(form_, control)) return;
  auto found = routines_.find({control.Name, control.Index, event});
  if (found != routines_.end()) Run(found->second);
}

void WindowController::Drop(int index, const std::string& path) {
  if (form_.Run.Running) return;
  Run([this, index, &path] { DropFile(form_, index, path); });
}

bool WindowController::CanDrop(const std::vector<std::string>& paths) const {
  return CanDropFiles(form_, paths);
}

void WindowController::Run(const Routine& routine) {
  // The run reads the values it started with; during it nothing is read from the widgets.
  if (!form_.Run.Running) view_.ReadControls();
  RunEventRoutine(form_, routine);
  ShowModel();
  if (closeAfterRun_ && !form_.Run.Running) {
    closeAfterRun_ = false;
    RequestClose();
  }
}

void WindowController::PressRunButton() {
  auto now = std::chrono::steady_clock::now();
  if (!RunButtonTakesClick(form_.Run, now, view_.DoubleClickInterval())) return;
  if (form_.Run.Running) {
    // The run ends after the line in hand.
    form_.Run.CancelRequested = true;
    run_.Cancel();
    return;
  }
  Run([this] { StartRun(); });
}

void WindowController::StartRun() {
  BeginRun(form_);
  try {
    run_.Start(form_.Engine, RequestOf(form_));
  } catch (...) {
    EndRun(form_, ConversionResult());
    throw;
  }
  view_.StartTicks(kTickInterval);
}

void WindowController::Tick() {
  if (!form_.Run.Running) return;
  ShowRunNews(form_, run_.TakeNews());
  ShowModel();
}

void WindowController::RunEnded(const ConversionResult& result) {
  view_.StopTicks();
  ShowRunNews(form_, run_.TakeNews());
  EndRun(form_, result);
  ShowModel();
  if (closeAfterRun_) {
    closeAfterRun_ = false;
    RequestClose();
  }
}

void WindowController::ShowModel() {
  auto now = std::chrono::steady_clock::now();
  bool withFilesList = !form_.Run.Running || now - filesListShown_ >= kFilesListInterval;
  if (withFilesList) filesListShown_ = now;
  view_.ShowModel(withFilesList);
}

void WindowController::RequestClose() {
  if (closed_) return;
  if (form_.Run.Running) {
    // The run ends after the line in hand, and the window closes when it has.
    form_.Run.CancelRequested = true;
    run_.Cancel();
    closeAfterRun_ = true;
    view_.LeaveSight();
    return;
  }
  view_.ReadControls();
  view_.LeaveSight();
  RunEventRoutine(form_, [this] { Form_QueryUnload(form_); });
  closed_ = true;
  view_.CloseForGood();
}

void WindowController::CloseOnStopRequests() {
  stopRequests_ =
      std::make_unique<StopRequestWatcher>([this] { view_.Post([this] { RequestClose(); }); });
}

void WindowController::ProcessAndClose() {
  PressRunButton();
  if (form_.Run.Running) {
    closeAfterRun_ = true;
  } else {
    RequestClose();
  }
}

}  // namespace tolvanex
