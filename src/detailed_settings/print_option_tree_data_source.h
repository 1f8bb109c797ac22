// PrintOptionTreeDataSource: the data source and delegate of an outline that
// lists the panes tree: folders, panes and their settings, with an icon per
// row and a note icon on the settings that differ from the defaults.
//
// The tree is the bundle's panes tree (AppPreference's "panesTreeFileName"):
// when its first top-level node is the folder "CurrentSetting", that node
// alone; when its last one is, everything but that node; otherwise the whole
// tree. A node is a dictionary; its children are the dictionaries among its
// "items" as the pane plug-in manager resolves it (resolveItem). A row shows
// (in order of preference) the node's "mainAlias", its "itemName" (a
// folder), the name of the pane its "bundleName" names (grey, the localized
// bundle name, when no pane is loaded under it; such a row cannot be
// selected), or "  " and the localized first part of its first child's
// "plugInName". The outline's name column widens to fit the rows it shows.
//
// A node flagged "differedWithDefault" gets the differ icon, and a refresh
// opens exactly the nodes above flagged ones. markDifferedWithDefault flags
// the settings of the kept option set whose values differ from a default
// set, so that the favorites window and orval show what changed.
//
// Nodes are handed to the outline as pointers into the tree it keeps; they
// stay valid until the tree is loaded again.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/value.h"
#include "platform/toolkit/image.h"
#include "platform/toolkit/outline_view.h"

namespace orval {

class PrintOptionTreeDataSource : public tk::OutlineViewDataSource, public tk::OutlineViewDelegate {
 public:
  // The panes tree folder that stands for the current settings.
  static constexpr const char* kCurrentSettingName = "CurrentSetting";
  // The flag of a node that differs from the default.
  static constexpr const char* kDifferedWithDefaultKey = "differedWithDefault";

  // How a row looks.
  struct Row {
    std::string text;
    tk::Image icon;
    bool differs = false;
    // True when the pane the row names is not loaded (its name is drawn in grey).
    bool unnamed = false;
  };

  PrintOptionTreeDataSource();
  ~PrintOptionTreeDataSource() override;
  PrintOptionTreeDataSource(const PrintOptionTreeDataSource&) = delete;
  PrintOptionTreeDataSource& operator=(const PrintOptionTreeDataSource&) = delete;

  // Serves outlineView (not owned): loads the tree, prepares the icons and the name column's
  // font, and becomes the outline's data source and delegate. expandDependency: nodes are
  // resolved with the manager's dependency expansion and cached.
  void setOutlineView(tk::OutlineView* outlineView, bool expandDependency);
  // Keeps options; with finish, refreshes.
  void updatePrintOption(const std::optional<PrintOption>& options, bool finish);
  // A non-empty path: reads the profile there; "": drops the profile; none: keeps it. With finish, refreshes.
  void updateProfilePath(const std::optional<std::string>& path, bool finish);
  // Flags every setting node whose "mainKeyword" has, in the kept option set, a value other than
  // its value in defaults (and clears the flag of the others); with finish, refreshes.
  void markDifferedWithDefault(const PrintOption& defaults, bool finish);
  // Deselects, forgets the resolved nodes, reloads, and opens exactly the nodes above flagged ones.
  void _finishUpdate();

  // The root node (none when the panes tree cannot be read).
  const std::optional<Dict>& treeDictionary() const { return _treeDictionary; }
  const std::optional<PrintOption>& currentPrintOption() const { return _currentPrintOption; }
  const std::optional<Dict>& profileDictionary() const { return _profileDictionary; }
  // How node's row looks (nullptr: the root).
  Row rowOf(tk::OutlineItem node);

  // OutlineViewDataSource
  int numberOfChildrenOfItem(tk::OutlineView& outlineView, tk::OutlineItem item) override;
  tk::OutlineItem child(tk::OutlineView& outlineView, int index, tk::OutlineItem item) override;
  bool isItemExpandable(tk::OutlineView& outlineView, tk::OutlineItem item) override;
  // The row's text; widens the name column when the text does not fit.
  Value objectValueForTableColumn(tk::OutlineView& outlineView, const tk::TableColumn* column,
                                  tk::OutlineItem item) override;

  // OutlineViewDelegate
  // False for a row naming a pane that is not loaded.
  bool shouldSelectItem(tk::OutlineView& outlineView, tk::OutlineItem item) override;
  // Gives the cell its row's icon, and grey text to an unnamed pane.
  void willDisplayCell(tk::OutlineView& outlineView, tk::TableCell& cell, const tk::TableColumn* column,
                       tk::OutlineItem item) override;

 private:
  const Dict* _resolve(const Dict* node);
  // The resolved node's child dictionaries.
  std::vector<const Dict*> _children(const Dict* node);
  // Widens the name column for text at level when it does not fit.
  void _fitColumn(const std::string& text, tk::OutlineItem item);

  tk::OutlineView* _outlineView = nullptr;
  std::optional<Dict> _treeDictionary;
  std::optional<std::map<const Dict*, const Dict*>> _itemCache;
  std::optional<PrintOption> _currentPrintOption;
  std::optional<Dict> _profileDictionary;
  bool _isExpandDependency = false;
  tk::Image _folderIcon;
  tk::Image _normalItemIcon;
  tk::Image _differWithDefaultIcon;
  // The name column's font size, for measuring.
  double _characterAttributes = 13;
  // Expires with this object: deferred reloads test it.
  std::shared_ptr<int> _life = std::make_shared<int>(0);
};

}  // namespace orval
