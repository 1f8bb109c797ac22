// The settings catalogue the build tree's bundle ships: controls, panes, texts, tables, printer
// description and favorites agree with one another.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "conversion/print_option_converter.h"
#include "pane_plugins/pane_layout.h"
#include "panes/ppd_file.h"
#include "panes/print_option_consistency_check.h"
#include "plugin/plugin_test_support.h"
#include "settings_ui/ui_description.h"
#include "settings_ui/value_pattern.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const fs::path kTestData = fs::path(ORVAL_SOURCE_DIR) / "src/plugin/testdata";
fs::path resources() { return plugin_testing::bundlePath() / "Contents/Resources"; }

// The property list dictionary at path, or an empty one (a failure).
Dict readDict(const std::filesystem::path& path) {
  std::string error;
  std::optional<Dict> dict = dictFromFile(path, &error);
  EXPECT_TRUE(dict) << path << ": " << error;
  return dict.value_or(Dict{});
}

// The values of a control description's choices, separators left out.
std::vector<std::string> choicesOf(const Dict& control) {
  std::vector<std::string> values;
  if (const Array* choices = control.get("choices").asArray())
    for (const Value& choice : *choices)
      if (const Dict* entry = choice.asDict(); entry != nullptr && !entry->contains("separator"))
        values.push_back(entry->get("choice").text());
  return values;
}

bool offers(const Dict& control, const std::string& value) {
  const std::vector<std::string> values = choicesOf(control);
  return std::find(values.begin(), values.end(), value) != values.end();
}

// The lines of a key list, without blank lines and "#" comments.
std::set<std::string> keyList(const fs::path& path) {
  std::set<std::string> keys;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') keys.insert(line);
  return keys;
}

// The dictionary under key, or an empty one.
const Dict& dictAt(const Dict& d, const std::string& key) {
  static const Dict kEmpty;
  const Dict* found = d.get(key).asDict();
  return found != nullptr ? *found : kEmpty;
}

// Calls visit on every dictionary under node.
void walk(const Value& node, const std::function<void(const Dict&)>& visit) {
  if (const Dict* d = node.asDict()) {
    visit(*d);
    for (const auto& [key, value] : *d) walk(value, visit);
  } else if (const Array* items = node.asArray()) {
    for (const Value& item : *items) walk(item, visit);
  }
}

class CatalogueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ui = std::make_unique<Dict>(readDict(resources() / "QZPOD_TZPrintServer.plist"));
    convertTable = std::make_unique<Dict>(readDict(resources() / "ConvertTable.plist"));
  }
  static void TearDownTestSuite() {
    ui.reset();
    convertTable.reset();
  }

  static const Dict& control(const std::string& name) {
    const Dict* description = controlDescriptionNamed(*ui, name);
    static const Dict kNone;
    EXPECT_NE(description, nullptr) << name << " is not described";
    return description != nullptr ? *description : kNone;
  }

  // Every control's default; a date picker holds a fixed time.
  static PrintOption defaults() {
    PrintOption options;
    for (const auto& [name, entry] : *ui) {
      const Dict& d = *entry.asDict();
      options.set(name, d.get("control_type").text() == "DatePicker" ? "1767225600" : d.get("default").text());
    }
    return options;
  }

  // The defaults with one control set to one of its choices, as the engine leaves them: the
  // control's cooperation applied, and an imposition setting in the mode that keeps it.
  static std::vector<std::pair<std::string, PrintOption>> variants() {
    std::vector<std::pair<std::string, PrintOption>> states;
    for (const auto& [name, entry] : *ui) {
      for (const std::string& value : choicesOf(*entry.asDict())) {
        PrintOption options = defaults();
        options.set(name, value);
        for (const auto& [target, targetValue] : dictAt(dictAt(*entry.asDict(), "cooperation"), value))
          options.set(target, targetValue.text());
        if (name.starts_with("ImpositionNup_")) options.set("ImpositionMode_ImpositionCustomMode", "Nup");
        if (name.starts_with("ImpositionBooklet_")) options.set("ImpositionMode_ImpositionCustomMode", "Booklet");
        if (name.starts_with("Imposition")) options.set("ChgPrintPaperSizeType", "A3");
        states.emplace_back(name, std::move(options));
      }
    }
    return states;
  }

  static inline std::unique_ptr<Dict> ui;
  static inline std::unique_ptr<Dict> convertTable;
};

TEST_F(CatalogueTest, KeysTheCodeNamesAreControlsInExactlyOnePaneAndInTheTree) {
  const std::set<std::string> keys = keyList(kTestData / "internal-keys.txt");
  ASSERT_GT(keys.size(), 150u);
  for (const std::string& key : keys) EXPECT_EQ(control(key).get("mainKeyword").text(), key);

  // The control names of every pane layout (each role of a bundle that has roles), with their children.
  std::map<std::string, int> counts;
  std::function<void(const std::string&)> count = [&](const std::string& name) {
    ++counts[name];
    if (const Dict* d = controlDescriptionNamed(*ui, name))
      if (const Array* children = d->get("other_controls").asArray())
        for (const Value& child : *children) count(child.text());
  };
  for (const fs::directory_entry& pane : fs::directory_iterator(plugin_testing::bundlePath() / "Contents/PlugIns")) {
    const Dict layout = readDict(pane.path() / "Contents/Resources/PaneLayout.plist");
    std::vector<std::optional<std::string>> roles{std::nullopt};
    if (const Dict* byRole = layout.get("roles").asDict()) {
      roles.clear();
      for (const auto& [role, unused] : *byRole) roles.push_back(role);
    }
    for (const std::optional<std::string>& role : roles) {
      std::string error;
      const std::optional<PaneLayout> parsed = PaneLayout::fromDictionary(layout, role, &error);
      EXPECT_TRUE(parsed) << pane.path() << ": " << error;
      if (parsed)
        for (const std::string& name : parsed->controlNames()) count(name);
    }
  }
  std::set<std::string> treeKeywords;
  walk(Value(readDict(resources() / "PanesTree.plist")), [&](const Dict& d) {
    if (const std::string* keyword = d.get("mainKeyword").asString()) treeKeywords.insert(*keyword);
  });
  for (const auto& [name, entry] : *ui) {
    EXPECT_EQ(counts.contains(name) ? counts.at(name) : 0, 1) << name << " is not in exactly one pane";
    EXPECT_TRUE(treeKeywords.contains(name)) << name << " is not in the panes tree";
  }
  for (const auto& [name, n] : counts) EXPECT_NE(controlDescriptionNamed(*ui, name), nullptr) << name;
}

// The texts of a control description that the builder and the engine localize.
void collectTexts(const Value& node, bool inTable, std::set<std::string>& texts) {
  if (const Dict* d = node.asDict()) {
    for (const auto& [key, value] : *d) {
      const bool textKey = key == "text" || (key.starts_with("text_") && key != "text_type") ||
                           key == "head_text" || key == "groupTitle" || key == "desc_text" || key == "button_text" ||
                           key.ends_with("_icon_text") || (inTable && (key == "title" || key == "message"));
      if (textKey && !value.text().empty()) texts.insert(value.text());
      collectTexts(value, inTable || key == "conflict" || key == "unrestorable_conflict", texts);
    }
  } else if (const Array* items = node.asArray()) {
    for (const Value& item : *items) collectTexts(item, inTable, texts);
  }
}

TEST_F(CatalogueTest, EveryTextReadsInEnglishAndJapanese) {
  const Dict uiEn = readDict(resources() / "en.lproj/UI.strings");
  const Dict uiJa = readDict(resources() / "ja.lproj/UI.strings");
  std::set<std::string> texts;
  collectTexts(Value(*ui), false, texts);
  ASSERT_GT(texts.size(), 400u);
  for (const std::string& text : texts) EXPECT_TRUE(uiEn.contains(text) && uiJa.contains(text)) << text;
  const Dict defaultEn = readDict(resources() / "en.lproj/Localizable.strings");
  const Dict defaultJa = readDict(resources() / "ja.lproj/Localizable.strings");
  for (const auto& [en, ja] : {std::pair{&uiEn, &uiJa}, std::pair{&defaultEn, &defaultJa}}) {
    for (const auto& [key, value] : *en) EXPECT_TRUE(ja->contains(key)) << key << " has no Japanese text";
    for (const auto& [key, value] : *ja) EXPECT_TRUE(en->contains(key)) << key << " has no English text";
  }
  // Each pane's name and tab labels, in the pane's own tables.
  for (const fs::directory_entry& pane : fs::directory_iterator(plugin_testing::bundlePath() / "Contents/PlugIns")) {
    const fs::path paneResources = pane.path() / "Contents/Resources";
    std::set<std::string> labels;
    walk(Value(readDict(paneResources / "PaneLayout.plist")), [&](const Dict& d) {
      for (const char* key : {"panelName", "label"})
        if (const std::string* text = d.get(key).asString()) labels.insert(*text);
    });
    for (const char* language : {"en.lproj", "ja.lproj"}) {
      const Dict table = readDict(paneResources / language / "Localizable.strings");
      for (const std::string& label : labels) EXPECT_TRUE(table.contains(label)) << pane.path() << " " << label;
    }
  }
  // The consistency check's messages: each rule fires on a choice the catalogue offers, with the switches
  // that are some rules' second condition on.
  const char* const switches[] = {"AuthJob", "RecordSpec", "CmykColorCorrection", "RgbColorCorrection",
                                  "SpotColorCorrection"};
  std::set<std::string> messages{"Alert_ChkMsg"};
  for (const auto& [name, entry] : *ui) {
    for (const std::string& value : choicesOf(*entry.asDict())) {
      PrintOption options{{name, value}};
      for (const char* key : switches) options.set(key, "True");
      const Strings fired = printOptionConsistencyMessageKeys(options);
      messages.insert(fired.begin(), fired.end());
    }
  }
  EXPECT_EQ(messages.size(), 36u);
  for (const std::string& key : messages) EXPECT_TRUE(defaultEn.contains(key) && defaultJa.contains(key)) << key;
}

// Every pattern of a conflict table that names a value, and every proposed value, against the
// choices of the control it applies to.
void checkConflictLevel(const Dict& level, const std::string& where,
                        const std::function<const Dict&(const std::string&)>& control) {
  for (const auto& [keyword, patterns] : level) {
    if (keyword == "title" || keyword == "message") continue;
    const Dict& target = control(keyword);
    for (const auto& [pattern, node] : patterns.isDict() ? *patterns.asDict() : Dict{}) {
      if (pattern == "title" || pattern == "message") continue;
      const std::string at = where + " > " + keyword + " > " + pattern;
      if (!pattern.starts_with("__") && target.contains("choices")) { EXPECT_TRUE(offers(target, pattern)) << at; }
      const Dict& next = node.isDict() ? *node.asDict() : Dict{};
      if (const Value* restore = next.find("restore")) {
        const Dict single{{keyword, *restore}};
        for (const auto& [restored, value] : restore->isDict() ? *restore->asDict() : single)
          if (control(restored).contains("choices")) { EXPECT_TRUE(offers(control(restored), value.text())) << at; }
      } else {
        checkConflictLevel(next, at, control);
      }
    }
  }
}

TEST_F(CatalogueTest, TablesPointAtControlsAndTheirChoices) {
  const auto lookUp = [](const std::string& name) -> const Dict& { return control(name); };
  for (const auto& [name, entry] : *ui) {
    const Dict& d = *entry.asDict();
    const bool hasChoices = d.contains("choices");
    if (hasChoices) { EXPECT_TRUE(offers(d, d.get("default").text())) << name << " default"; }
    for (const char* table : {"condition", "logical_sum_condition", "cooperation", "hide"}) {
      for (const auto& [value, targets] : dictAt(d, table)) {
        if (hasChoices) { EXPECT_TRUE(offers(d, value)) << name << " " << table << " " << value; }
        for (const auto& [target, state] : targets.isDict() ? *targets.asDict() : Dict{}) {
          const Dict& t = control(target);
          if (std::string(table) == "cooperation" && t.contains("choices")) {
            EXPECT_TRUE(offers(t, state.text())) << name << " cooperation " << target;
          }
          if (const Dict* items = state.asDict()) {
            for (const auto& [item, enabled] : *items) EXPECT_TRUE(offers(t, item)) << name << " " << item;
          }
        }
      }
    }
    for (const char* table : {"conflict", "unrestorable_conflict"}) {
      for (const auto& [pattern, level] : dictAt(d, table)) {
        if (pattern == "title" || pattern == "message") continue;
        if (!pattern.starts_with("__")) { EXPECT_TRUE(offers(d, pattern)) << name << " " << table << " " << pattern; }
        checkConflictLevel(level.isDict() ? *level.asDict() : Dict{}, name + " " + table + " " + pattern, lookUp);
      }
    }
  }
}

TEST_F(CatalogueTest, PopUpsOfferThePrinterDescriptionsChoices) {
  const std::unique_ptr<PpdFile> ppd = PpdFile::initWithContentsOfFile(resources() / "TZPrintServer.ppd");
  ASSERT_NE(ppd, nullptr);
  // The pop-ups offer every keyword that the device lists produce, which are the printer's choices.
  for (const char* name : {"QZInputSlot", "OutputTray", "StapleMode", "Fold"}) {
    const Strings keywords = ppd->optionKeywords(name).value_or(Strings{});
    for (const std::string& keyword : keywords)
      if (keyword != "None") { EXPECT_TRUE(offers(control(name), keyword)) << name << " " << keyword; }
  }
}

// Values equal as a person reads them: numbers by their value ("210.0" and "210.00").
bool sameSetting(const std::string& a, const std::string& b) {
  if (a == b) return true;
  return isDecimalNumberText(a) && isDecimalNumberText(b) && decimalValueOfString(a) == decimalValueOfString(b);
}

// Every state travels as printer-description options (with the choice) or private entries by design,
// and a favorite keeps it.
TEST_F(CatalogueTest, EveryStateTravelsAsPrinterOptionsOrPrivateEntriesAndAFavoriteKeepsIt) {
  const std::unique_ptr<PpdFile> ppd = PpdFile::initWithContentsOfFile(resources() / "TZPrintServer.ppd");
  ASSERT_NE(ppd, nullptr);
  const std::set<std::string> privateKeys = keyList(kTestData / "private-keys.txt");
  std::set<std::string> emitted;
  PrintOptionConverter converter(std::make_unique<FixedConvertTableSource>(*convertTable));
  PrintOption defaultCanonical = defaults();
  PrintOptionConverter::convertToCanonicalPpdKeyword(defaultCanonical, true);
  // The scheduled time is not kept: a favorite is recalled later, when that time has passed.
  const std::set<std::string> notKept = {"DelayedPrintTime"};
  // By design the user id type does not come back, the profile types follow their switches and the
  // fitting switch of an imposition mode that is off is not kept.
  const std::set<std::string> notVaried = {"AuthJobUserIdType", "SpotColorCorrectionProfileType",
                                           "RenderingProfileType"};
  const std::set<std::string> notWithDefaults = {"AuthJobUserIdType", "AuthJobUserId", "ImpositionNup_Fitting",
                                                 "ImpositionBooklet_Fitting"};
  auto states = variants();
  states.emplace_back("", defaults());
  for (const auto& [varied, internal] : states) {
    PrintOption canonical = internal;
    PrintOptionConverter::convertToCanonicalPpdKeyword(canonical, true);
    for (const auto& [key, value] : canonical) {
      emitted.insert(key);
      if (!notKept.contains(key)) { EXPECT_TRUE(convertTable->contains(key)) << key << " is not kept in favorites"; }
      if (privateKeys.contains(key)) continue;
      ASSERT_TRUE(ppd->isExists(key)) << key << " (from " << varied << ") is neither an option nor private";
      // "Custom" is libcups' own choice name: a custom value of the panel travels privately.
      if (value.text() != "Custom") { EXPECT_TRUE(ppd->isExists(key, value.text())) << key << " " << value.text(); }
    }
    PrintOption loaded = defaultCanonical;
    for (const auto& [key, value] : converter.toPpdKeywordFormat(converter.toInputMgrFormat(canonical)))
      loaded.set(key, value);
    PrintOptionConverter::convertToInternalPpdKeyword(loaded);
    Strings compared{varied};
    if (varied.empty()) {
      compared.clear();
      for (const auto& [key, value] : internal) compared.push_back(key);
    }
    for (const std::string& key : compared) {
      if ((varied.empty() ? notWithDefaults : notVaried).contains(key)) continue;
      EXPECT_TRUE(sameSetting(loaded.get(key).text(), internal.get(key).text()))
          << key << ": " << internal.get(key).text() << " came back as " << loaded.get(key).text();
    }
  }
  for (const std::string& key : privateKeys) {
    EXPECT_TRUE(emitted.contains(key)) << key << " is listed private but never produced";
    EXPECT_FALSE(ppd->isExists(key)) << key << " is listed private but is an option";
  }
}

}  // namespace
}  // namespace orval
