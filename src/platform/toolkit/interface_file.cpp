#include "platform/toolkit/interface_file.h"

#include "platform/foundation/plist.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/box.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/image_view.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/outline_view.h"
#include "platform/toolkit/panel.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/scroll_view.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/text_field.h"

namespace orval::tk {

namespace {

// Views nest at most this deep.
constexpr int kMaxDepth = 32;

struct Failure {
  std::string reason;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) { throw Failure{where + ": " + what}; }

const std::string* optionalString(const Dict& entry, const char* key, const std::string& where) {
  const Value& value = entry.get(key);
  if (value.isNull()) return nullptr;
  if (!value.isString()) fail(where, std::string("\"") + key + "\" is not a string");
  return value.asString();
}

std::string stringOr(const Dict& entry, const char* key, const std::string& where, std::string fallback = {}) {
  const std::string* text = optionalString(entry, key, where);
  return text != nullptr ? *text : std::move(fallback);
}

const Array* optionalArray(const Dict& entry, const char* key, const std::string& where) {
  const Value& value = entry.get(key);
  if (value.isNull()) return nullptr;
  if (!value.isArray()) fail(where, std::string("\"") + key + "\" is not an array");
  return value.asArray();
}

const Dict& dictAt(const Value& value, const std::string& where) {
  const Dict* dict = value.asDict();
  if (dict == nullptr) fail(where, "not a dictionary");
  return *dict;
}

Rect frameOf(const Dict& entry, const std::string& where, Rect fallback) {
  const Array* numbers = optionalArray(entry, "frame", where);
  if (numbers == nullptr) return fallback;
  if (numbers->size() != 4) fail(where, "\"frame\" is not [x, y, width, height]");
  double v[4];
  for (std::size_t i = 0; i < 4; ++i) {
    if (!(*numbers)[i].isNumber()) fail(where, "\"frame\" is not [x, y, width, height]");
    v[i] = (*numbers)[i].doubleValue();
  }
  if (v[2] < 0 || v[3] < 0) fail(where, "\"frame\" has a negative size");
  return {v[0], v[1], v[2], v[3]};
}

unsigned styleOf(const Dict& entry, const std::string& where) {
  const Array* names = optionalArray(entry, "style", where);
  if (names == nullptr) return TitledWindowMask | ClosableWindowMask;
  unsigned mask = BorderlessWindowMask;
  for (const Value& name : *names) {
    const std::string text = name.isString() ? *name.asString() : std::string();
    if (text == "titled") mask |= TitledWindowMask;
    else if (text == "closable") mask |= ClosableWindowMask;
    else if (text == "miniaturizable") mask |= MiniaturizableWindowMask;
    else if (text == "resizable") mask |= ResizableWindowMask;
    else fail(where, "unknown style \"" + text + "\"");
  }
  return mask;
}

std::unique_ptr<View> makeView(const Dict& entry, const std::string& where, int depth);

void addSubviews(View& parent, const Dict& entry, const std::string& where, int depth) {
  const Array* views = optionalArray(entry, "views", where);
  if (views == nullptr) return;
  if (depth >= kMaxDepth) fail(where, "views nest too deep");
  for (std::size_t i = 0; i < views->size(); ++i) {
    const std::string inner = where + ", view " + std::to_string(i + 1);
    parent.addSubview(makeView(dictAt((*views)[i], inner), inner, depth + 1));
  }
}

void fillPopUp(PopUpButton& popup, const Dict& entry, const std::string& where) {
  const Array* items = optionalArray(entry, "items", where);
  if (items == nullptr) return;
  for (const Value& item : *items) {
    if (const std::string* title = item.asString()) {
      popup.addItem(MenuItem(*title));
      continue;
    }
    const Dict& fields = dictAt(item, where + ", an item");
    MenuItem made(stringOr(fields, "title", where));
    made.setTag(fields.get("tag").intValue());
    popup.addItem(std::move(made));
  }
}

void fillTabs(TabView& tabs, const Dict& entry, const std::string& where, int depth) {
  const Array* items = optionalArray(entry, "tabs", where);
  if (items == nullptr) return;
  for (std::size_t i = 0; i < items->size(); ++i) {
    const std::string inner = where + ", tab " + std::to_string(i + 1);
    const Dict& fields = dictAt((*items)[i], inner);
    auto item = std::make_unique<TabViewItem>(Value(stringOr(fields, "identifier", inner)));
    item->setLabel(stringOr(fields, "label", inner));
    auto content = std::make_unique<View>(tabs.bounds());
    addSubviews(*content, fields, inner, depth);
    item->setView(std::move(content));
    tabs.addTabViewItem(std::move(item));
  }
}

void fillColumns(TableView& outline, const Dict& entry, const std::string& where) {
  const Array* columns = optionalArray(entry, "columns", where);
  if (columns == nullptr) return;
  for (const Value& column : *columns) {
    const Dict& fields = dictAt(column, where + ", a column");
    auto made = std::make_unique<TableColumn>(stringOr(fields, "identifier", where));
    made->setTitle(stringOr(fields, "title", where));
    if (fields.get("width").isNumber()) made->setWidth(fields.get("width").doubleValue());
    outline.addTableColumn(std::move(made));
  }
}

// A radio group: one row per entry of "cells" ({"title", "tag"}), one column.
std::unique_ptr<Matrix> makeRadioMatrix(const Dict& entry, const std::string& where, Rect frame) {
  const Array* cells = optionalArray(entry, "cells", where);
  const int rows = cells != nullptr ? static_cast<int>(cells->size()) : 0;
  auto matrix = std::make_unique<Matrix>(frame, rows, 1);
  for (int row = 0; row < rows; ++row) {
    const Dict& fields = dictAt((*cells)[static_cast<std::size_t>(row)], where + ", a cell");
    ButtonCell* cell = matrix->cellAtRow(row, 0);
    cell->setTitle(stringOr(fields, "title", where));
    cell->setTag(static_cast<long>(fields.get("tag").intValue()));
  }
  if (rows > 0) matrix->selectCellAtRow(0, 0);
  return matrix;
}

std::unique_ptr<View> makeView(const Dict& entry, const std::string& where, int depth) {
  const std::string kind = stringOr(entry, "class", where);
  const Rect frame = frameOf(entry, where, {});
  const std::string title = stringOr(entry, "title", where);
  std::unique_ptr<View> view;
  if (kind == "View") {
    view = std::make_unique<View>(frame);
    addSubviews(*view, entry, where, depth);
  } else if (kind == "Box") {
    auto box = std::make_unique<Box>(frame);
    box->setTitle(title);
    addSubviews(*box->contentView(), entry, where, depth);
    view = std::move(box);
  } else if (kind == "Button" || kind == "CheckBox" || kind == "RadioButton") {
    const ButtonType type = kind == "CheckBox" ? ButtonType::Switch
                            : kind == "RadioButton" ? ButtonType::Radio
                                                    : ButtonType::MomentaryPushIn;
    auto button = std::make_unique<Button>(frame, type);
    button->setTitle(title);
    button->setKeyEquivalent(stringOr(entry, "keyEquivalent", where));
    view = std::move(button);
  } else if (kind == "Label") {
    view = TextField::makeLabel(title, frame);
  } else if (kind == "TextField" || kind == "SecureTextField") {
    std::unique_ptr<TextField> field =
        kind == "TextField" ? std::make_unique<TextField>(frame) : std::make_unique<SecureTextField>(frame);
    field->setStringValue(title);
    view = std::move(field);
  } else if (kind == "PopUpButton") {
    auto popup = std::make_unique<PopUpButton>(frame);
    fillPopUp(*popup, entry, where);
    view = std::move(popup);
  } else if (kind == "ImageView") {
    view = std::make_unique<ImageView>(frame);
  } else if (kind == "TabView") {
    auto tabs = std::make_unique<TabView>(frame);
    fillTabs(*tabs, entry, where, depth);
    view = std::move(tabs);
  } else if (kind == "ScrollView") {
    auto scroll = std::make_unique<ScrollView>(frame);
    const Value& document = entry.get("document");
    if (!document.isNull()) {
      std::unique_ptr<View> inner = makeView(dictAt(document, where + ", document"), where + ", document", depth + 1);
      inner->setFrame(scroll->bounds());
      scroll->setDocumentView(std::move(inner));
    }
    view = std::move(scroll);
  } else if (kind == "OutlineView" || kind == "TableView") {
    std::unique_ptr<TableView> table =
        kind == "OutlineView" ? std::make_unique<OutlineView>(frame) : std::make_unique<TableView>(frame);
    fillColumns(*table, entry, where);
    view = std::move(table);
  } else if (kind == "Matrix") {
    view = makeRadioMatrix(entry, where, frame);
  } else {
    fail(where, "unknown class \"" + kind + "\"");
  }

  view->setIdentifier(stringOr(entry, "identifier", where));
  view->setHidden(entry.get("hidden").truth());
  view->setTag(static_cast<long>(entry.get("tag").intValue()));
  if (const std::string* tip = optionalString(entry, "toolTip", where)) view->setToolTip(*tip);
  if (auto* control = dynamic_cast<Control*>(view.get())) {
    if (!entry.get("enabled").isNull()) control->setEnabled(entry.get("enabled").truth());
    if (const std::string* action = optionalString(entry, "action", where)) control->setAction(*action, nullptr);
  }
  return view;
}

}  // namespace

std::unique_ptr<Window> loadInterface(const Dict& description, const WindowFactory& factory, std::string* error) {
  try {
    const std::string where = "the window";
    const std::string kind = stringOr(description, "class", where, "Window");
    const Rect frame = frameOf(description, where, {0, 0, 480, 360});
    const std::string title = stringOr(description, "title", where);
    const unsigned style = styleOf(description, where);
    std::unique_ptr<Window> window;
    if (factory) window = factory(kind, frame, title, style);
    if (!window && kind == "Window") window = std::make_unique<Window>(frame, title, style);
    if (!window && kind == "Panel") window = std::make_unique<Panel>(frame, title, style);
    if (!window) fail(where, "unknown class \"" + kind + "\"");
    window->setFrameAutosaveName(stringOr(description, "frameAutosaveName", where));
    addSubviews(window->contentView(), description, where, 0);
    Application::shared().interfaceDidLoad();
    return window;
  } catch (const Failure& failure) {
    if (error != nullptr) *error = failure.reason;
    return nullptr;
  }
}

std::unique_ptr<Window> loadInterfaceFile(const std::filesystem::path& path, const WindowFactory& factory,
                                          std::string* error) {
  std::string reason;
  const std::optional<Dict> description = dictFromFile(path, &reason);
  if (!description) {
    if (error != nullptr) *error = path.string() + ": " + (reason.empty() ? "not a dictionary" : reason);
    return nullptr;
  }
  std::unique_ptr<Window> window = loadInterface(*description, factory, &reason);
  if (!window && error != nullptr) *error = path.string() + ": " + reason;
  return window;
}

int bindAction(Window& window, const std::string& name, const Control::ActionHandler& handler) {
  int bound = 0;
  for (View* view : window.contentView().findSubviews([](const View&) { return true; })) {
    auto* control = dynamic_cast<Control*>(view);
    if (control == nullptr || control->action() != name) continue;
    control->setAction(name, handler);
    ++bound;
  }
  return bound;
}

}  // namespace orval::tk
