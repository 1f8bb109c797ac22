#include "settings_ui/ui_description_check.h"

#include <algorithm>
#include <array>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "settings_ui/value_pattern.h"

namespace orval {
namespace {

constexpr std::array<std::string_view, 9> kControlTypes = {
    "TextField_text", "SecureTextField_text", "TextField_number", "CheckBox",  "PopupButton",
    "RadioButton",    "HRadioButton",         "Slider",           "DatePicker"};
// Types that are recognised by their beginning ("TextField_date" builds as a text field).
constexpr std::array<std::string_view, 3> kPrefixTypes = {"TextField", "SecureTextField", "CheckBox"};
// The tables whose targets are announced again after a change.
constexpr std::array<std::string_view, 4> kAnnouncingTables = {"condition", "logical_sum_condition",
                                                              "cooperation", "hide"};

bool hasPrefix(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += separator;
    text += items[i];
  }
  return text;
}

// One edge of the announcement graph: source keyword -> target keyword.
struct Edge {
  std::string target;
  std::string control;  // the control description holding the table
  std::string table;
  std::string value;  // the source value of the entry
};

class Checker {
 public:
  explicit Checker(const Dict& description) : _description(description) {
    for (const auto& [name, entry] : description)
      if (const Dict* control = entry.asDict())
        if (const std::string* keyword = control->get("mainKeyword").asString())
          if (!keyword->empty()) _editedKeywords.insert(*keyword);
  }

  std::vector<UiDescriptionFinding> run() {
    for (const auto& [name, entry] : _description) {
      const Dict* control = entry.asDict();
      if (control == nullptr) {
        add(UiFindingSeverity::Error, name, "", {}, "the control description is not a dictionary");
        continue;
      }
      checkControl(name, *control);
    }
    checkCycles();
    return std::move(_findings);
  }

 private:
  void add(UiFindingSeverity severity, const std::string& control, const std::string& key,
           std::vector<std::string> path, std::string message) {
    _findings.push_back({severity, control, key, std::move(path), std::move(message)});
  }

  void checkControl(const std::string& name, const Dict& control) {
    const std::string type = checkType(name, control);
    checkChildren(name, control);
    checkChoices(name, control, type);
    const std::string* keyword = control.get("mainKeyword").asString();
    for (std::string_view table : kAnnouncingTables)
      checkAnnouncingTable(name, control, std::string(table), keyword ? *keyword : std::string());
    checkConflictTable(name, control, "conflict", false);
    checkConflictTable(name, control, "unrestorable_conflict", true);
  }

  std::string checkType(const std::string& name, const Dict& control) {
    const Value* type = control.find("control_type");
    if (type == nullptr) return {};
    const std::string* text = type->asString();
    if (text == nullptr) {
      add(UiFindingSeverity::Error, name, "control_type", {}, "the control type is not a string");
      return {};
    }
    if (std::find(kControlTypes.begin(), kControlTypes.end(), *text) != kControlTypes.end()) return *text;
    for (std::string_view prefix : kPrefixTypes) {
      if (hasPrefix(*text, prefix)) {
        add(UiFindingSeverity::Warning, name, "control_type", {*text},
            "control type \"" + *text + "\" is known only by its beginning \"" + std::string(prefix) + "\"");
        return *text;
      }
    }
    add(UiFindingSeverity::Error, name, "control_type", {*text},
        "unknown control type \"" + *text + "\" (only the title is built)");
    return *text;
  }

  void checkChildren(const std::string& name, const Dict& control) {
    const Value* children = control.find("other_controls");
    if (children == nullptr) return;
    const Array* list = children->asArray();
    if (list == nullptr) {
      add(UiFindingSeverity::Error, name, "other_controls", {}, "\"other_controls\" is not an array");
      return;
    }
    for (const Value& child : *list) {
      const std::string* childName = child.asString();
      if (childName == nullptr) {
        add(UiFindingSeverity::Error, name, "other_controls", {}, "a child name is not a string");
      } else if (_description.get(*childName).asDict() == nullptr) {
        add(UiFindingSeverity::Error, name, "other_controls", {*childName},
            "child control \"" + *childName + "\" is not described");
      }
    }
  }

  void checkChoices(const std::string& name, const Dict& control, const std::string& type) {
    const Value* choices = control.find("choices");
    const Array* list = choices ? choices->asArray() : nullptr;
    if (choices != nullptr && list == nullptr) {
      add(UiFindingSeverity::Error, name, "choices", {}, "\"choices\" is not an array");
      return;
    }
    const std::size_t count = list ? list->size() : 0;
    if (hasPrefix(type, "CheckBox") && count != 2) {
      add(UiFindingSeverity::Error, name, "choices", {},
          "a check box needs exactly two choices (checked, unchecked); it has " + std::to_string(count));
    }
    if (type == "Slider" && list != nullptr && count < 2) {
      add(UiFindingSeverity::Error, name, "choices", {},
          "a choice slider needs at least two choices; it has " + std::to_string(count));
    }
  }

  void checkTarget(const std::string& name, const std::string& key, const std::vector<std::string>& path,
                   const std::string& target) {
    if (_editedKeywords.contains(target)) return;
    add(UiFindingSeverity::Warning, name, key, path, "target \"" + target + "\" is edited by no control");
  }

  void checkPattern(const std::string& name, const std::string& key, const std::vector<std::string>& path,
                    const std::string& pattern) {
    std::string_view prefix;
    if (hasPrefix(pattern, kLessPatternPrefix)) prefix = kLessPatternPrefix;
    else if (hasPrefix(pattern, kGreaterPatternPrefix)) prefix = kGreaterPatternPrefix;
    else return;
    const std::string bound = pattern.substr(prefix.size());
    if (isDecimalNumberText(bound)) return;
    add(UiFindingSeverity::Error, name, key, path,
        "pattern \"" + pattern + "\": \"" + bound + "\" after \"" + std::string(prefix) + "\" is not a number");
  }

  void checkAnnouncingTable(const std::string& name, const Dict& control, const std::string& table,
                            const std::string& source) {
    const Value* found = control.find(table);
    if (found == nullptr) return;
    const Dict* entries = found->asDict();
    if (entries == nullptr) {
      add(UiFindingSeverity::Error, name, table, {}, "\"" + table + "\" is not a dictionary");
      return;
    }
    for (const auto& [value, targets] : *entries) {
      const Dict* targetDict = targets.asDict();
      if (targetDict == nullptr) {
        add(UiFindingSeverity::Error, name, table, {value}, "the entry for \"" + value + "\" is not a dictionary");
        continue;
      }
      for (const auto& item : *targetDict) {
        checkTarget(name, table, {value, item.first}, item.first);
        if (!source.empty()) addEdge(source, Edge{item.first, name, table, value});
      }
    }
  }

  void checkConflictTable(const std::string& name, const Dict& control, const std::string& table,
                          bool unrestorable) {
    const Value* found = control.find(table);
    if (found == nullptr) return;
    const Dict* patterns = found->asDict();
    if (patterns == nullptr) {
      add(UiFindingSeverity::Error, name, table, {}, "\"" + table + "\" is not a dictionary");
      return;
    }
    for (const auto& [pattern, level] : *patterns) {
      if (isTitleOrMessageKey(pattern)) continue;
      checkPattern(name, table, {pattern}, pattern);
      const Dict* levelDict = level.asDict();
      if (levelDict == nullptr) {
        add(UiFindingSeverity::Error, name, table, {pattern}, "the entry for \"" + pattern + "\" is not a dictionary");
        continue;
      }
      walkConflictLevel(name, table, *levelDict, {pattern}, unrestorable);
    }
  }

  void walkConflictLevel(const std::string& name, const std::string& table, const Dict& level,
                         const std::vector<std::string>& path, bool unrestorable) {
    for (const auto& [keyword, perKeyword] : level) {
      if (isTitleOrMessageKey(keyword)) continue;
      std::vector<std::string> keywordPath = path;
      keywordPath.push_back(keyword);
      checkTarget(name, table, keywordPath, keyword);
      const Dict* patterns = perKeyword.asDict();
      if (patterns == nullptr) {
        add(UiFindingSeverity::Error, name, table, keywordPath, "the patterns of \"" + keyword + "\" are not a dictionary");
        continue;
      }
      for (const auto& [pattern, node] : *patterns) {
        if (isTitleOrMessageKey(pattern)) continue;
        std::vector<std::string> nodePath = keywordPath;
        nodePath.push_back(pattern);
        checkPattern(name, table, nodePath, pattern);
        const Dict* nodeDict = node.asDict();
        if (unrestorable) {
          if (nodeDict != nullptr) walkConflictLevel(name, table, *nodeDict, nodePath, true);
          continue;
        }
        if (nodeDict == nullptr) {
          add(UiFindingSeverity::Error, name, table, nodePath, "the entry for \"" + pattern + "\" is not a dictionary");
          continue;
        }
        if (const Value* restore = nodeDict->find("restore")) {
          checkRestore(name, table, nodePath, *restore);
        } else {
          walkConflictLevel(name, table, *nodeDict, nodePath, false);
        }
      }
    }
  }

  void checkRestore(const std::string& name, const std::string& table, std::vector<std::string> path,
                    const Value& restore) {
    path.push_back("restore");
    if (const Dict* several = restore.asDict()) {
      for (const auto& [keyword, value] : *several) {
        std::vector<std::string> restorePath = path;
        restorePath.push_back(keyword);
        checkTarget(name, table, restorePath, keyword);
        if (!value.isString() && !value.isBool() && !value.isNumber())
          add(UiFindingSeverity::Error, name, table, restorePath, "the proposed value of \"" + keyword + "\" is not a text");
      }
    } else if (!restore.isString() && !restore.isBool() && !restore.isNumber()) {
      add(UiFindingSeverity::Error, name, table, path, "\"restore\" is neither a value nor a dictionary");
    }
  }

  // Cycles ------------------------------------------------------------------------------------------

  void addEdge(const std::string& source, Edge edge) {
    nodeIndex(source);
    nodeIndex(edge.target);
    std::vector<Edge>& edges = _edges[source];
    const bool known = std::any_of(edges.begin(), edges.end(), [&](const Edge& e) { return e.target == edge.target; });
    if (!known) edges.push_back(std::move(edge));
  }

  std::size_t nodeIndex(const std::string& keyword) {
    const auto [it, inserted] = _nodeOrder.emplace(keyword, _nodes.size());
    if (inserted) _nodes.push_back(keyword);
    return it->second;
  }

  // Tarjan's strongly connected components, iteratively (a long chain must not exhaust the stack).
  std::vector<std::vector<std::size_t>> components() {
    const std::size_t n = _nodes.size();
    constexpr std::size_t kUnvisited = static_cast<std::size_t>(-1);
    std::vector<std::size_t> index(n, kUnvisited), low(n, 0);
    std::vector<bool> onStack(n, false);
    std::vector<std::size_t> stack;
    std::vector<std::vector<std::size_t>> result;
    std::size_t counter = 0;
    struct Frame {
      std::size_t node;
      std::size_t next;
    };
    for (std::size_t root = 0; root < n; ++root) {
      if (index[root] != kUnvisited) continue;
      std::vector<Frame> frames{{root, 0}};
      index[root] = low[root] = counter++;
      stack.push_back(root);
      onStack[root] = true;
      while (!frames.empty()) {
        Frame& frame = frames.back();
        const std::vector<Edge>& edges = edgesOf(frame.node);
        if (frame.next < edges.size()) {
          const std::size_t target = _nodeOrder.at(edges[frame.next++].target);
          if (index[target] == kUnvisited) {
            index[target] = low[target] = counter++;
            stack.push_back(target);
            onStack[target] = true;
            frames.push_back({target, 0});
          } else if (onStack[target]) {
            low[frame.node] = std::min(low[frame.node], index[target]);
          }
          continue;
        }
        const std::size_t node = frame.node;
        frames.pop_back();
        if (!frames.empty()) low[frames.back().node] = std::min(low[frames.back().node], low[node]);
        if (low[node] != index[node]) continue;
        std::vector<std::size_t> component;
        std::size_t member = 0;
        do {
          member = stack.back();
          stack.pop_back();
          onStack[member] = false;
          component.push_back(member);
        } while (member != node);
        result.push_back(std::move(component));
      }
    }
    return result;
  }

  const std::vector<Edge>& edgesOf(std::size_t node) const {
    static const std::vector<Edge> kNone;
    const auto it = _edges.find(_nodes[node]);
    return it == _edges.end() ? kNone : it->second;
  }

  // The shortest cycle from start back to start inside component, as its edges.
  std::vector<const Edge*> cycleThrough(std::size_t start, const std::unordered_set<std::size_t>& component) {
    std::unordered_map<std::size_t, std::pair<std::size_t, const Edge*>> cameFrom;
    std::deque<std::size_t> queue{start};
    std::unordered_set<std::size_t> seen{start};
    while (!queue.empty()) {
      const std::size_t node = queue.front();
      queue.pop_front();
      for (const Edge& edge : edgesOf(node)) {
        const std::size_t target = _nodeOrder.at(edge.target);
        if (!component.contains(target)) continue;
        if (target == start) {
          std::vector<const Edge*> cycle{&edge};
          for (std::size_t at = node; at != start;) {
            const auto& [previous, via] = cameFrom.at(at);
            cycle.push_back(via);
            at = previous;
          }
          std::reverse(cycle.begin(), cycle.end());
          return cycle;
        }
        if (seen.insert(target).second) {
          cameFrom[target] = {node, &edge};
          queue.push_back(target);
        }
      }
    }
    return {};
  }

  void checkCycles() {
    std::vector<std::vector<std::size_t>> cyclic;
    for (std::vector<std::size_t>& component : components()) {
      const bool selfLoop = component.size() == 1 &&
                            std::any_of(edgesOf(component[0]).begin(), edgesOf(component[0]).end(),
                                        [&](const Edge& e) { return e.target == _nodes[component[0]]; });
      if (component.size() > 1 || selfLoop) cyclic.push_back(std::move(component));
    }
    for (std::vector<std::size_t>& component : cyclic) std::sort(component.begin(), component.end());
    std::sort(cyclic.begin(), cyclic.end());
    for (const std::vector<std::size_t>& component : cyclic) {
      const std::unordered_set<std::size_t> members(component.begin(), component.end());
      const std::vector<const Edge*> cycle = cycleThrough(component.front(), members);
      if (cycle.empty()) continue;
      std::vector<std::string> keywords{_nodes[component.front()]};
      std::vector<std::string> tables;
      for (const Edge* edge : cycle) {
        keywords.push_back(edge->target);
        tables.push_back(edge->table);
      }
      std::string message = "cycle among announced targets: " + joined(keywords, " -> ") + " (" +
                            joined(tables, ", ") + ")";
      if (component.size() > cycle.size())
        message += "; " + std::to_string(component.size()) + " keywords reach each other";
      add(UiFindingSeverity::Error, cycle.front()->control, cycle.front()->table,
          {cycle.front()->value, cycle.front()->target}, message);
    }
  }

  const Dict& _description;
  std::unordered_set<std::string> _editedKeywords;
  std::vector<UiDescriptionFinding> _findings;
  std::vector<std::string> _nodes;
  std::unordered_map<std::string, std::size_t> _nodeOrder;
  std::unordered_map<std::string, std::vector<Edge>> _edges;
};

}  // namespace

std::vector<UiDescriptionFinding> checkUiDescription(const Dict& description) {
  return Checker(description).run();
}

std::string severityName(UiFindingSeverity severity) {
  return severity == UiFindingSeverity::Error ? "error" : "warning";
}

std::size_t countFindings(const std::vector<UiDescriptionFinding>& findings, UiFindingSeverity severity) {
  return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(),
                                                [&](const UiDescriptionFinding& f) { return f.severity == severity; }));
}

}  // namespace orval
