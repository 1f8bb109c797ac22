// PrinterDescription: a printer description (PPD) file opened with libcups,
// with its options and their marked choices.
//
// Owns the libcups handle and closes it exactly once. Marking never refuses
// a choice because it conflicts with another: conflicts are the panel's
// business, as in the print dialog. This is the one place that calls the PPD
// functions of libcups.
#pragma once

#include <cups/ppd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/value.h"

namespace orval {

// One choice of an option: its keyword and its human-readable text.
struct PpdChoice {
  std::string choice;
  std::string text;
};

// One option of a printer description, as the file declares it.
struct PpdOption {
  std::string keyword;
  std::string text;
  std::string group;  // the text of the group (or subgroup) that holds it
  std::vector<PpdChoice> choices;
  std::string defaultChoice;
  std::optional<std::string> marked;
};

class PrinterDescription {
 public:
  // Opens the file at path with its default choices marked; nullptr with the
  // reason (in *error when given) when it is missing or not a printer description.
  static std::unique_ptr<PrinterDescription> open(const std::filesystem::path& path,
                                                  std::string* error = nullptr);
  ~PrinterDescription();
  PrinterDescription(const PrinterDescription&) = delete;
  PrinterDescription& operator=(const PrinterDescription&) = delete;

  // The libcups handle; stays owned by this object.
  ppd_file_t* handle() const { return ppd_.get(); }
  // The file it was opened from.
  const std::filesystem::path& path() const { return path_; }

  // Marks every option's default choice (undoing all other marking).
  void markDefaults();
  // Marks choice of option keyword ("Custom.<value>" for an option with a
  // custom choice); false, changing nothing, when the option or choice does not exist.
  bool markOption(std::string_view keyword, std::string_view choice);
  // The marked choice of option keyword; nullopt when the option does not exist or has none.
  std::optional<std::string> markedChoice(std::string_view keyword) const;
  // Whether option keyword exists and has choice among its choices.
  bool hasChoice(std::string_view keyword, std::string_view choice) const;
  // The number of conflicts among the marked choices.
  int conflicts() const;
  // The value of the first attribute named keyword ("ModelName"); nullopt when there is none.
  std::optional<std::string> attribute(std::string_view keyword) const;

  // Every option in file order (groups and their subgroups in turn).
  std::vector<PpdOption> options() const;
  // Option keyword -> marked choice, in file order; options with no marked choice are left out.
  Dict markedChoices() const;

 private:
  struct Closer {
    void operator()(ppd_file_t* ppd) const;
  };
  PrinterDescription(std::filesystem::path path, ppd_file_t* ppd);

  std::filesystem::path path_;
  std::unique_ptr<ppd_file_t, Closer> ppd_;
};

}  // namespace orval
