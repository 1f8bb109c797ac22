#include "platform/toolkit/window_description.h"

#include <cmath>

#include "platform/toolkit/box.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/text_field.h"

namespace orval::tk {

namespace {

bool fail(std::string* error, std::string reason) {
  if (error != nullptr) *error = std::move(reason);
  return false;
}

// [x, y, width, height]: four finite numbers, the size not negative.
bool readFrame(const Value& value, const std::string& where, Rect& frame, std::string* error) {
  const Array* numbers = value.asArray();
  if (numbers == nullptr || numbers->size() != 4) return fail(error, where + ": \"frame\" is not four numbers");
  double v[4];
  for (std::size_t i = 0; i < 4; ++i) {
    const Value& n = (*numbers)[i];
    if (!n.isNumber() || !std::isfinite(n.doubleValue())) return fail(error, where + ": \"frame\" is not four numbers");
    v[i] = n.doubleValue();
  }
  if (v[2] < 0 || v[3] < 0) return fail(error, where + ": \"frame\" has a negative size");
  frame = {v[0], v[1], v[2], v[3]};
  return true;
}

// The optional string under key (empty when absent); false when it is not a string.
bool readText(const Dict& entry, const char* key, const std::string& where, std::string& text, std::string* error) {
  const Value& value = entry.get(key);
  if (value.isNull()) return true;
  if (!value.isString()) return fail(error, where + ": \"" + key + "\" is not a string");
  text = *value.asString();
  return true;
}

std::unique_ptr<View> makeKnownView(const std::string& className, const Rect& frame, const std::string& title,
                                    const Dict& entry, const std::string& where, std::string* error) {
  if (className == "View") return std::make_unique<View>(frame);
  if (className == "Label") return TextField::makeLabel(title, frame);
  if (className == "Button") {
    auto button = std::make_unique<Button>(frame);
    button->setTitle(title);
    std::string key;
    if (!readText(entry, "keyEquivalent", where, key, error)) return nullptr;
    button->setKeyEquivalent(key);
    return button;
  }
  if (className == "Box") {
    auto box = std::make_unique<Box>(frame);
    box->setTitle(title);
    std::string type;
    if (!readText(entry, "boxType", where, type, error)) return nullptr;
    if (type == "Separator") {
      box->setBoxType(BoxType::Separator);
      box->setTitlePosition(TitlePosition::NoTitle);
    } else if (type == "Custom") {
      box->setBoxType(BoxType::Custom);
    } else if (!type.empty() && type != "Primary") {
      fail(error, where + ": unknown \"boxType\" " + type);
      return nullptr;
    }
    return box;
  }
  return nullptr;
}

bool readView(const Value& value, const std::string& where, const ViewMaker& makeView, DescribedWindow& out,
              std::string* error) {
  const Dict* entry = value.asDict();
  if (entry == nullptr) return fail(error, where + " is not a dictionary");
  std::string className, outlet, title;
  if (!readText(*entry, "class", where, className, error) || !readText(*entry, "outlet", where, outlet, error) ||
      !readText(*entry, "title", where, title, error))
    return false;
  if (className.empty()) return fail(error, where + " has no \"class\"");
  Rect frame;
  if (!readFrame(entry->get("frame"), where, frame, error)) return false;
  const Value& tag = entry->get("tag");
  if (!tag.isNull() && !tag.isInteger()) return fail(error, where + ": \"tag\" is not an integer");
  const Value& hidden = entry->get("hidden");
  if (!hidden.isNull() && !hidden.isBool()) return fail(error, where + ": \"hidden\" is not a boolean");
  if (!outlet.empty() && out.outlets.contains(outlet)) return fail(error, where + ": the outlet " + outlet + " appears twice");

  std::string reason;
  std::unique_ptr<View> view = makeKnownView(className, frame, title, *entry, where, &reason);
  if (!reason.empty()) return fail(error, reason);
  if (!view && makeView) view = makeView(className, frame);
  if (!view) return fail(error, where + ": unknown class " + className);
  view->setTag(static_cast<long>(tag.intValue()));
  if (hidden.truth()) view->setHidden(true);
  if (!outlet.empty()) view->setIdentifier(outlet);
  View& added = out.window->contentView().addSubview(std::move(view));
  if (!outlet.empty()) out.outlets.emplace(outlet, &added);
  return true;
}

}  // namespace

std::optional<DescribedWindow> windowFromDescription(const Dict& description, const ViewMaker& makeView,
                                                     std::string* error) {
  Rect frame;
  std::string title;
  if (!readFrame(description.get("frame"), "the window", frame, error) ||
      !readText(description, "title", "the window", title, error))
    return std::nullopt;
  const Value& closable = description.get("closable");
  if (!closable.isNull() && !closable.isBool()) {
    fail(error, "the window: \"closable\" is not a boolean");
    return std::nullopt;
  }
  const unsigned style = closable.isNull() || closable.truth() ? (TitledWindowMask | ClosableWindowMask) : TitledWindowMask;

  DescribedWindow out;
  out.window = std::make_unique<Panel>(frame, title, style);
  out.window->setContentView(std::make_unique<View>(Rect{0, 0, frame.width, frame.height}));
  const Value& views = description.get("views");
  if (views.isNull()) return out;
  const Array* entries = views.asArray();
  if (entries == nullptr) {
    fail(error, "the window: \"views\" is not an array");
    return std::nullopt;
  }
  for (std::size_t i = 0; i < entries->size(); ++i)
    if (!readView((*entries)[i], "view " + std::to_string(i + 1), makeView, out, error)) return std::nullopt;
  return out;
}

}  // namespace orval::tk
