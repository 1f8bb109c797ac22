// The detailed-settings tree as orval prints it: every node with its text,
// whether it differs from the default, and its children.
#pragma once

#include <ostream>
#include <string>

#include "apps/orval/json_output.h"
#include "platform/toolkit/outline_view.h"

namespace orval {
class PrintOptionTreeDataSource;
}

namespace orval::cli {

// The nodes below item of the tree source shows in outline, as JSON.
Json treeJson(PrintOptionTreeDataSource& source, tk::OutlineView& outline, tk::OutlineItem item);
// The nodes as indented text, "*" before those that differ from the default.
void printTree(std::ostream& out, const Json& nodes, const std::string& indent);

}  // namespace orval::cli
