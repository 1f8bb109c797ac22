// SavePanel and OpenPanel: the file choosers.
//
// A chooser runs modally; the application's operator chooses for the
// person (choose / chooseURLs) and ends the run with OK (1) or Cancel (0).
// Paths are absolute file system paths (the platform's file URLs).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/panel.h"

namespace orval::tk {

class SavePanel : public Panel {
 public:
  SavePanel();

  std::string className() const override { return "SavePanel"; }

  // The folder the chooser shows.
  const std::string& directoryURL() const { return directory_; }
  void setDirectoryURL(std::string directory) { directory_ = std::move(directory); }
  // File name extensions (without the dot) that may be chosen; empty: any.
  const std::vector<std::string>& allowedFileTypes() const { return allowedTypes_; }
  void setAllowedFileTypes(std::vector<std::string> types) { allowedTypes_ = std::move(types); }
  bool allowsOtherFileTypes() const { return allowsOtherTypes_; }
  void setAllowsOtherFileTypes(bool allows) { allowsOtherTypes_ = allows; }
  // The proposed or typed file name.
  const std::string& nameFieldStringValue() const { return nameField_; }
  void setNameFieldStringValue(std::string name) { nameField_ = std::move(name); }
  const std::string& message() const { return message_; }
  void setMessage(std::string message) { message_ = std::move(message); }
  const std::string& prompt() const { return prompt_; }
  void setPrompt(std::string prompt) { prompt_ = std::move(prompt); }
  bool canCreateDirectories() const { return canCreateDirectories_; }
  void setCanCreateDirectories(bool can) { canCreateDirectories_ = can; }

  // True when a file named name may be chosen under the allowed types.
  bool isAllowedFileName(const std::string& name) const;
  // The person types name (relative to the directory, or absolute) and
  // confirms it: the first allowed extension is appended when the name has
  // none of them; false (nothing chosen) for an empty name.
  virtual bool choose(const std::string& name);
  // The chosen file, after OK; "" before a choice.
  const std::string& URL() const { return chosen_; }

  // Runs the chooser modally: OK (1) or Cancel (0) (or the code the run ended with).
  int runModal();
  // Runs the chooser as a sheet on window and calls completion with the answer.
  void beginSheetModalForWindow(Window* window, std::function<void(int result)> completion);

 protected:
  // Forgets the chosen file(s).
  virtual void clearChoice() { chosen_.clear(); }
  // An absolute path for name (relative names lie in the directory).
  std::string resolve(const std::string& name) const;
  void setChosen(std::string path) { chosen_ = std::move(path); }

 private:
  std::string directory_;
  std::vector<std::string> allowedTypes_;
  bool allowsOtherTypes_ = false;
  std::string nameField_;
  std::string message_;
  std::string prompt_;
  bool canCreateDirectories_ = true;
  std::string chosen_;
};

class OpenPanel : public SavePanel {
 public:
  OpenPanel();

  std::string className() const override { return "OpenPanel"; }

  bool canChooseFiles() const { return canChooseFiles_; }
  void setCanChooseFiles(bool can) { canChooseFiles_ = can; }
  bool canChooseDirectories() const { return canChooseDirectories_; }
  void setCanChooseDirectories(bool can) { canChooseDirectories_ = can; }
  bool allowsMultipleSelection() const { return allowsMultiple_; }
  void setAllowsMultipleSelection(bool allows) { allowsMultiple_ = allows; }

  // The person picks existing items: refused (false, nothing chosen) when the
  // list is empty, has several items without multiple selection, or holds an
  // item that is missing, of a kind that cannot be chosen, or of a type not allowed.
  bool chooseURLs(const std::vector<std::string>& paths);
  // The person picks one existing item.
  bool choose(const std::string& path) override { return chooseURLs({path}); }
  // The chosen items, after OK.
  const std::vector<std::string>& URLs() const { return chosenAll_; }

 protected:
  void clearChoice() override {
    SavePanel::clearChoice();
    chosenAll_.clear();
  }

 private:
  bool canChooseFiles_ = true;
  bool canChooseDirectories_ = false;
  bool allowsMultiple_ = false;
  std::vector<std::string> chosenAll_;
};

}  // namespace orval::tk
