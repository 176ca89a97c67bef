#include "tests/support/scripted_platform.h"

#include <stdexcept>

#include "base/paths.h"

namespace tolvanex::testing {

void ScriptedPlatform::MessageBox(const std::string& text, const std::string& title) {
  Messages.push_back({text, title});
}

std::string ScriptedPlatform::InputBox(const std::string& prompt, const std::string& title,
                                       const std::string& defaultAnswer) {
  InputBoxes.push_back({prompt, title, defaultAnswer});
  if (InputAnswers.empty()) return std::string();
  std::string answer = InputAnswers.front();
  InputAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPlatform::ShowOpen(const std::vector<FileFilter>& filters,
                                                      const std::string& initialName) {
  OpenDialogs.push_back({filters, initialName});
  if (OpenAnswers.empty()) return std::nullopt;
  auto answer = OpenAnswers.front();
  OpenAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPlatform::BrowseForFolder(const std::string& prompt,
                                                             const std::string& startFolder) {
  FolderPickers.push_back({prompt, startFolder});
  if (FolderAnswers.empty()) return std::nullopt;
  auto answer = FolderAnswers.front();
  FolderAnswers.pop_front();
  return answer;
}

void ScriptedPlatform::SetMousePointer(int code) {
  Pointer = code;
  PointerHistory.push_back(code);
}

void ScriptedPlatform::StartEditor(const std::string& path) {
  if (EditorFails) throw std::runtime_error("The editor could not be started");
  EditorPaths.push_back(path);
}

std::vector<std::string> ScriptedPlatform::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& message : Messages) texts.push_back(message.Text);
  return texts;
}

void PointWindowAt(Frm_Tolvanex& form, const std::string& folder) {
  // As the user would pick them: with the system's separator.
  form.Txt_File[0].Text = AddBackslash(folder) + "data.dat";
  form.Txt_File[1].Text = AddBackslash(folder) + "sites.lkp";
  form.Lbl_Folder[0].Caption = AddBackslash(folder) + "post";
  form.Lbl_Folder[1].Caption = AddBackslash(folder) + "text";
  form.Chk_OutputPostFile.Value = 1;
  form.Chk_OutputTextFiles.Value = 1;
  form.Chk_SortLookup.Value = 1;
  form.Txt_Extension.Text = "txt";
  form.Cmb_Dateformat.Text = "d mmm yyyy HH:MM";
}

}  // namespace tolvanex::testing
