#include "pane_plugins/pane_layout.h"

#include <algorithm>
#include <unordered_set>

#include "platform/foundation/plist.h"

namespace orval {

namespace {

bool fail(std::string* error, std::string reason) {
  if (error != nullptr) *error = std::move(reason);
  return false;
}

bool readTabs(const Value& value, const std::string& where, int depth, std::vector<PaneTab>& tabs,
              std::unordered_set<std::string>& seen, std::string* error);

// Reads an array of strings under key (none is an empty list).
bool readStrings(const Dict& entry, const char* key, const std::string& where, std::vector<std::string>& out,
                 std::string* error) {
  const Value& value = entry.get(key);
  if (value.isNull()) return true;
  const Array* items = value.asArray();
  if (items == nullptr) return fail(error, where + ": \"" + key + "\" is not an array of strings");
  for (const Value& item : *items) {
    if (!item.isString()) return fail(error, where + ": \"" + key + "\" is not an array of strings");
    out.push_back(*item.asString());
  }
  return true;
}

bool readClassic(const Dict& entry, const std::string& where, PaneClassicControl& control,
                 std::unordered_set<std::string>& seen, std::string* error) {
  const std::string* kind = entry.get("classic").asString();
  const auto& kinds = PaneLayout::classicKinds();
  if (kind == nullptr || std::find(kinds.begin(), kinds.end(), *kind) == kinds.end())
    return fail(error, where + ": a classic control has no known \"classic\" kind");
  control.kind = *kind;
  const std::string* key = entry.get("key").asString();
  if (key == nullptr || key->empty()) return fail(error, where + ": a classic control has no \"key\"");
  control.key = *key;
  const std::string inner = where + ", " + *key;
  if (!seen.insert("classic:" + *key).second) return fail(error, inner + " appears twice");
  const Value& title = entry.get("title");
  if (!title.isNull() && !title.isString()) return fail(error, inner + ": \"title\" is not a string");
  control.title = title.isString() ? *title.asString() : std::string();
  if (!readStrings(entry, "choices", inner, control.choices, error)) return false;
  if (!readStrings(entry, "titles", inner, control.titles, error)) return false;
  if (control.titles.empty()) control.titles = control.choices;
  if (control.titles.size() != control.choices.size())
    return fail(error, inner + ": \"titles\" and \"choices\" differ in length");
  if (control.kind == "CheckBox" && !control.choices.empty() && control.choices.size() != 2)
    return fail(error, inner + ": a check box has two choices (off, on) or none");
  if (control.kind == "ProfilePopUpButton") {
    const std::string* format = entry.get("format").asString();
    if (format == nullptr || !format->ends_with("%d"))
      return fail(error, inner + ": \"format\" is not a pattern ending in %d");
    control.format = *format;
    const Value& max = entry.get("max");
    if (!max.isInteger() || max.intValue() < 0) return fail(error, inner + ": \"max\" is not a number");
    control.max = max.intValue();
  }
  return true;
}

bool readTab(const Value& value, const std::string& where, int depth, PaneTab& tab,
             std::unordered_set<std::string>& seen, std::string* error) {
  const Dict* entry = value.asDict();
  if (entry == nullptr) return fail(error, where + " is not a dictionary");
  const std::string* identifier = entry->get("identifier").asString();
  if (identifier == nullptr || identifier->empty()) return fail(error, where + " has no \"identifier\"");
  tab.identifier = *identifier;
  const Value& label = entry->get("label");
  if (!label.isNull() && !label.isString()) return fail(error, where + ": \"label\" is not a string");
  tab.label = label.isString() ? *label.asString() : *identifier;
  const Value& controls = entry->get("controls");
  if (!controls.isNull()) {
    const Array* names = controls.asArray();
    if (names == nullptr) return fail(error, where + ": \"controls\" is not an array");
    for (const Value& name : *names) {
      if (const Dict* classic = name.asDict()) {
        PaneClassicControl control;
        if (!readClassic(*classic, where, control, seen, error)) return false;
        tab.items.push_back({{}, std::move(control)});
        continue;
      }
      const std::string* text = name.asString();
      if (text == nullptr || text->empty()) return fail(error, where + ": a control name is not a non-empty string");
      // A control on two tabs would be built and registered twice.
      if (!seen.insert(*text).second) return fail(error, where + ": the control " + *text + " appears twice");
      tab.controls.push_back(*text);
      tab.items.push_back({*text, std::nullopt});
    }
  }
  const Value& nested = entry->get("tabs");
  if (nested.isNull()) return true;
  if (depth >= PaneLayout::kMaxDepth) return fail(error, where + ": tabs nest too deep");
  return readTabs(nested, where, depth + 1, tab.tabs, seen, error);
}

// Reads a non-empty array of tabs; where names the tab that holds them ("" at the top).
bool readTabs(const Value& value, const std::string& where, int depth, std::vector<PaneTab>& tabs,
              std::unordered_set<std::string>& seen, std::string* error) {
  const Array* entries = value.asArray();
  if (entries == nullptr || entries->empty()) {
    return fail(error, where.empty() ? std::string("no \"tabs\"") : where + ": \"tabs\" is not a non-empty array");
  }
  for (std::size_t i = 0; i < entries->size(); ++i) {
    PaneTab tab;
    const std::string name = (where.empty() ? "" : where + ", ") + "tab " + std::to_string(i + 1);
    if (!readTab((*entries)[i], name, depth, tab, seen, error)) return false;
    tabs.push_back(std::move(tab));
  }
  return true;
}

void collectControls(const std::vector<PaneTab>& tabs, std::vector<std::string>& names) {
  for (const PaneTab& tab : tabs) {
    names.insert(names.end(), tab.controls.begin(), tab.controls.end());
    collectControls(tab.tabs, names);
  }
}

std::optional<PaneLayout> readLayout(const Dict& entry, const std::string& defaultName, const std::string& where,
                                     std::string* error) {
  PaneLayout layout;
  const Value& name = entry.get("panelName");
  if (!name.isNull() && !name.isString()) {
    fail(error, where + ": \"panelName\" is not a string");
    return std::nullopt;
  }
  layout.panelName = name.isString() ? *name.asString() : defaultName;
  if (layout.panelName.empty()) {
    fail(error, where + " has no \"panelName\"");
    return std::nullopt;
  }
  const Value& tabs = entry.get("tabs");
  if (!tabs.isArray() || tabs.asArray()->empty()) {
    fail(error, where + " has no \"tabs\"");
    return std::nullopt;
  }
  std::unordered_set<std::string> seen;
  std::string reason;
  if (!readTabs(tabs, "", 0, layout.tabs, seen, &reason)) {
    fail(error, where + ": " + reason);
    return std::nullopt;
  }
  return layout;
}

}  // namespace

std::optional<PaneLayout> PaneLayout::fromDictionary(const Dict& resource, const std::optional<std::string>& role,
                                                     std::string* error) {
  if (!role) return readLayout(resource, {}, "the pane layout", error);
  const Dict* roles = resource.get("roles").asDict();
  const Dict* entry = roles != nullptr ? roles->get(*role).asDict() : nullptr;
  if (entry == nullptr) {
    fail(error, "the pane layout has no role \"" + *role + "\"");
    return std::nullopt;
  }
  return readLayout(*entry, *role, "the role \"" + *role + "\"", error);
}

std::optional<PaneLayout> PaneLayout::fromBundle(const Bundle& bundle, const std::optional<std::string>& role,
                                                 std::string* error) {
  const std::optional<std::filesystem::path> path = bundle.pathForResource(kResourceName, "plist");
  if (!path) {
    fail(error, bundle.bundlePath().string() + " has no " + kResourceName + ".plist");
    return std::nullopt;
  }
  std::string reason;
  const std::optional<Dict> resource = dictFromFile(*path, &reason);
  if (!resource) {
    fail(error, path->string() + ": " + (reason.empty() ? "not a dictionary" : reason));
    return std::nullopt;
  }
  std::optional<PaneLayout> layout = fromDictionary(*resource, role, &reason);
  if (!layout) fail(error, path->string() + ": " + reason);
  return layout;
}

const std::vector<std::string>& PaneLayout::classicKinds() {
  static const std::vector<std::string> kinds = {"PopUpButton", "CheckBox",        "Slider",
                                                 "RadioButtons", "TextField",      "SecureTextField",
                                                 "ProfilePopUpButton"};
  return kinds;
}

std::vector<std::string> PaneLayout::controlNames() const {
  std::vector<std::string> names;
  collectControls(tabs, names);
  return names;
}

}  // namespace orval
