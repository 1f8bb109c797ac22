#include "detailed_settings/print_option_tree_data_source.h"

#include <algorithm>

#include "common/dictionary_helpers.h"
#include "common/localized_string.h"
#include "common/principal_bundle.h"
#include "favorites/app_preference.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/color.h"
#include "settings_ui/label_metrics.h"

namespace orval {

namespace {

constexpr tk::Size kIconSize{16, 16};
// Bundle names of panes that list no settings of their own: shown with the item icon.
constexpr const char* kItemLikeBundleSuffixes[] = {"ColorDetailsCommon_", "ColorDetailsRGB_",
                                                   "ColorDetailsSpotColor_", "TwoColorPrintingSimulation_"};

const Dict* nodeOf(tk::OutlineItem item) { return static_cast<const Dict*>(item); }
tk::OutlineItem itemOf(const Dict* node) { return const_cast<Dict*>(node); }

const std::string* stringEntry(const Dict* node, const char* key) {
  return node != nullptr ? node->get(key).asString() : nullptr;
}

bool isFlagged(const Dict& node) { return node.get(PrintOptionTreeDataSource::kDifferedWithDefaultKey).truth(); }

// The root of the panes tree as the outline shows it (see the header).
std::optional<Dict> shownRoot(const Dict& tree) {
  const Array* items = tree.get("items").asArray();
  if (items == nullptr || items->empty()) return tree;
  const auto isCurrentSetting = [](const Value& node) {
    const std::string* name = node.isDict() ? node.asDict()->get("itemName").asString() : nullptr;
    return name != nullptr && *name == PrintOptionTreeDataSource::kCurrentSettingName;
  };
  if (isCurrentSetting((*items)[0])) return *(*items)[0].asDict();
  if (isCurrentSetting((*items)[items->size() - 1])) {
    Dict copy = tree;
    Array shortened = *items;
    shortened.erase(shortened.size() - 1);
    copy.set("items", std::move(shortened));
    return copy;
  }
  return tree;
}

// Flags the setting nodes under node (see markDifferedWithDefault).
void markNodes(Dict* dict, const PrintOption& current, const PrintOption& defaults) {
  if (dict == nullptr) return;
  if (const std::string* key = dict->get("mainKeyword").asString()) {
    const Value* now = current.find(*key);
    const Value* before = defaults.find(*key);
    const bool differs = now != nullptr && !now->isNull() &&
                         (before == nullptr || PanePlugInMgr::_stringFromObject(*now) !=
                                                   PanePlugInMgr::_stringFromObject(*before));
    dict->set(PrintOptionTreeDataSource::kDifferedWithDefaultKey, Value(differs));
  }
  Value* items = dict->find("items");
  if (Array* children = items != nullptr ? items->asArray() : nullptr)
    for (Value& child : *children) markNodes(child.asDict(), current, defaults);
}

}  // namespace

PrintOptionTreeDataSource::PrintOptionTreeDataSource()
    : _folderIcon(tk::Image::systemIcon(tk::SystemIcon::Folder).scaledTo(kIconSize)),
      _normalItemIcon(tk::Image::systemIcon(tk::SystemIcon::UnknownFileSystemObject).scaledTo(kIconSize)),
      _differWithDefaultIcon(tk::Image::systemIcon(tk::SystemIcon::AlertNote).scaledTo(kIconSize)) {}

PrintOptionTreeDataSource::~PrintOptionTreeDataSource() {
  if (_outlineView != nullptr) {
    if (_outlineView->outlineDataSource() == this) _outlineView->setDataSource(nullptr);
    if (_outlineView->outlineDelegate() == this) _outlineView->setDelegate(nullptr);
  }
}

void PrintOptionTreeDataSource::setOutlineView(tk::OutlineView* outlineView, bool expandDependency) {
  _outlineView = outlineView;
  _isExpandDependency = expandDependency;
  _itemCache.reset();
  _treeDictionary.reset();
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  const std::optional<std::string> name = AppPreference::sharedInstance().panesTreeFileNameWithAppName();
  if (name) {
    if (const std::optional<Dict> tree = DictionaryNamed(*name, bundle.get())) _treeDictionary = shownRoot(*tree);
  }
  if (_outlineView == nullptr) return;
  if (const tk::TableColumn* column = _outlineView->outlineTableColumn())
    _characterAttributes = column->dataCell().fontSize();
  _outlineView->setDelegate(this);
  _outlineView->setDataSource(this);
}

void PrintOptionTreeDataSource::updatePrintOption(const std::optional<PrintOption>& options, bool finish) {
  _currentPrintOption = options;
  if (finish) _finishUpdate();
}

void PrintOptionTreeDataSource::updateProfilePath(const std::optional<std::string>& path, bool finish) {
  if (path) {
    if (path->empty()) _profileDictionary.reset();
    else _profileDictionary = AppPreference::sharedInstance().profileDictionaryWithContentsOfFile(*path);
  }
  if (finish) _finishUpdate();
}

void PrintOptionTreeDataSource::markDifferedWithDefault(const PrintOption& defaults, bool finish) {
  // In place: the nodes the outline holds stay where they are.
  if (_treeDictionary) markNodes(&*_treeDictionary, _currentPrintOption.value_or(PrintOption()), defaults);
  if (finish) _finishUpdate();
}

// Resolving and walking --------------------------------------------------------------------------------

const Dict* PrintOptionTreeDataSource::_resolve(const Dict* node) {
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  if (!_isExpandDependency) return manager.resolveItem(node);
  if (!_itemCache) _itemCache.emplace();
  const auto found = _itemCache->find(node);
  if (found != _itemCache->end()) return found->second;
  const Dict* resolved = manager.resolveItem(node, true);
  _itemCache->emplace(node, resolved);
  return resolved;
}

std::vector<const Dict*> PrintOptionTreeDataSource::_children(const Dict* node) {
  if (node == nullptr) node = _treeDictionary ? &*_treeDictionary : nullptr;
  const Dict* resolved = node != nullptr ? _resolve(node) : nullptr;
  std::vector<const Dict*> children;
  const Array* items = resolved != nullptr ? resolved->get("items").asArray() : nullptr;
  if (items == nullptr) return children;
  for (const Value& item : *items)
    if (const Dict* child = item.asDict()) children.push_back(child);
  return children;
}

int PrintOptionTreeDataSource::numberOfChildrenOfItem(tk::OutlineView&, tk::OutlineItem item) {
  return static_cast<int>(_children(nodeOf(item)).size());
}

tk::OutlineItem PrintOptionTreeDataSource::child(tk::OutlineView&, int index, tk::OutlineItem item) {
  const std::vector<const Dict*> children = _children(nodeOf(item));
  if (index < 0 || index >= static_cast<int>(children.size())) return nullptr;
  return itemOf(children[static_cast<std::size_t>(index)]);
}

bool PrintOptionTreeDataSource::isItemExpandable(tk::OutlineView&, tk::OutlineItem item) {
  return !_children(nodeOf(item)).empty();
}

// Rows ---------------------------------------------------------------------------------------------------

PrintOptionTreeDataSource::Row PrintOptionTreeDataSource::rowOf(tk::OutlineItem item) {
  const Dict* node = nodeOf(item);
  Row row{{}, _normalItemIcon};
  if (node == nullptr) return row;
  bool hasText = false;
  if (const std::string* alias = stringEntry(node, "mainAlias")) {
    row.text = *alias;
    hasText = true;
  } else if (const std::string* folder = stringEntry(node, "itemName")) {
    row.text = *folder;
    row.icon = _folderIcon;
    hasText = true;
  } else {
    const Dict* resolved = _resolve(node);
    if (const std::string* bundleName = stringEntry(resolved, "bundleName")) {
      const std::optional<std::string> panel = PanePlugInMgr::sharedInstance().panelNameOfBundleName(*bundleName);
      row.text = panel ? *panel : BSLocalizedString(*bundleName);
      row.unnamed = !panel;
      hasText = true;
      const bool itemLike = std::any_of(std::begin(kItemLikeBundleSuffixes), std::end(kItemLikeBundleSuffixes),
                                        [bundleName](const char* suffix) { return bundleName->ends_with(suffix); });
      if (!itemLike) row.icon = _folderIcon;
    } else if (const std::string* folder = stringEntry(resolved, "itemName")) {
      row.text = *folder;
      row.icon = _folderIcon;
      hasText = true;
    }
  }
  if (isFlagged(*node)) {
    row.icon = _differWithDefaultIcon;
    row.differs = true;
  }
  if (!hasText) {
    const std::vector<const Dict*> children = _children(node);
    const std::string* plugIn = children.empty() ? nullptr : stringEntry(children.front(), "plugInName");
    if (plugIn != nullptr && plugIn->find('_') != std::string::npos)
      row.text = "  " + BSLocalizedString(plugIn->substr(0, plugIn->find('_')));
  }
  return row;
}

Value PrintOptionTreeDataSource::objectValueForTableColumn(tk::OutlineView&, const tk::TableColumn*,
                                                           tk::OutlineItem item) {
  const Row row = rowOf(item);
  if (!row.text.empty()) _fitColumn(row.text, item);
  return Value(row.text);
}

void PrintOptionTreeDataSource::_fitColumn(const std::string& text, tk::OutlineItem item) {
  if (_outlineView == nullptr) return;
  tk::TableColumn* column = _outlineView->outlineTableColumn();
  if (column == nullptr) return;
  const int level = std::max(_outlineView->levelForItem(item), 0);
  const double needed =
      level * _outlineView->indentationPerLevel() + boldLabelTextWidth(text, _characterAttributes);
  if (needed + 20 <= column->width()) return;
  column->setMaxWidth(needed + 40);
  column->setWidth(needed + 40);
  // The row is drawn again once this request is over.
  tk::OutlineView* outline = _outlineView;
  std::weak_ptr<const void> outlineAlive = outline->viewLifetime();
  std::weak_ptr<int> sourceAlive = _life;
  tk::Application::shared().runLoop().performOnNextTurn(
      [outline, outlineAlive, sourceAlive, item] {
        if (!outlineAlive.expired() && !sourceAlive.expired()) outline->reloadItem(item);
      },
      tk::RunLoop::commonModes());
}

bool PrintOptionTreeDataSource::shouldSelectItem(tk::OutlineView&, tk::OutlineItem item) {
  const Dict* resolved = _resolve(nodeOf(item));
  const std::string* bundleName = stringEntry(resolved, "bundleName");
  return bundleName == nullptr || PanePlugInMgr::sharedInstance().panelNameOfBundleName(*bundleName).has_value();
}

void PrintOptionTreeDataSource::willDisplayCell(tk::OutlineView&, tk::TableCell& cell, const tk::TableColumn*,
                                                tk::OutlineItem item) {
  const Row row = rowOf(item);
  cell.setImage(row.icon);
  if (row.unnamed) cell.setTextColor(tk::Color::disabledControlTextColor());
}

// Refreshing -------------------------------------------------------------------------------------------------

void PrintOptionTreeDataSource::_finishUpdate() {
  if (_outlineView == nullptr) return;
  _outlineView->deselectAll();
  _itemCache.reset();
  _outlineView->reloadData();
  for (const Dict* top : _children(nullptr)) _outlineView->collapseItem(itemOf(top), true);
  // Post-order: a node is collected after its children, once, when something below it is flagged.
  std::vector<const Dict*> collected;
  const auto walk = [this, &collected](const auto& self, const Dict* node) -> bool {
    bool below = false;
    for (const Dict* child : _children(node)) {
      const bool inside = self(self, child);
      below = below || inside || isFlagged(*child);
    }
    if (below && node != nullptr) collected.push_back(node);
    return below;
  };
  walk(walk, nullptr);
  for (auto it = collected.rbegin(); it != collected.rend(); ++it) _outlineView->expandItem(itemOf(*it));
}

}  // namespace orval
