// A small tree of print settings served to outline views, for the tests of the toolkit and of its renderers.
#pragma once

#include <string>
#include <vector>

#include "platform/toolkit/outline_view.h"

namespace orval::tk::toolkit_testing {

struct Node {
  std::string name;
  std::vector<Node> children;
};

// Paper (Size, Tray (Bypass)), Finishing (Staple), Color.
class Tree : public OutlineViewDataSource {
 public:
  Node root{"root",
            {{"Paper", {{"Size", {}}, {"Tray", {{"Bypass", {}}}}}}, {"Finishing", {{"Staple", {}}}}, {"Color", {}}}};
  Node& node(OutlineItem item) { return item ? *static_cast<Node*>(item) : root; }
  int numberOfChildrenOfItem(OutlineView&, OutlineItem item) override {
    return static_cast<int>(node(item).children.size());
  }
  OutlineItem child(OutlineView&, int index, OutlineItem item) override {
    return &node(item).children[static_cast<std::size_t>(index)];
  }
  bool isItemExpandable(OutlineView&, OutlineItem item) override { return !node(item).children.empty(); }
  Value objectValueForTableColumn(OutlineView&, const TableColumn*, OutlineItem item) override {
    return Value(node(item).name);
  }
};

}  // namespace orval::tk::toolkit_testing
