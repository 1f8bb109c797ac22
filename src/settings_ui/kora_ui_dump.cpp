#include "settings_ui/kora_ui_dump.h"

#include "platform/toolkit/button.h"
#include "platform/toolkit/date_picker.h"
#include "platform/toolkit/image_view.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/slider.h"
#include "platform/toolkit/stepper.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/kora_ui_internal.h"

namespace orval {
namespace {

std::string stateText(tk::ControlState state) {
  switch (state) {
    case tk::ControlState::On: return "on";
    case tk::ControlState::Off: return "off";
    case tk::ControlState::Mixed: return "mixed";
  }
  return "off";
}

Value itemsOfPopup(const tk::PopUpButton& popup) {
  Array items;
  for (int i = 0; i < popup.numberOfItems(); ++i) {
    const tk::MenuItem* item = popup.itemAtIndex(i);
    Dict entry;
    if (item->isSeparatorItem()) {
      entry.set("separator", true);
    } else {
      entry.set("title", item->title());
      entry.set("value", item->representedObject().text());
      entry.set("enabled", popup.isItemEnabled(i));
      if (item->image()) entry.set("image", item->image()->name());
    }
    entry.set("selected", i == popup.indexOfSelectedItem());
    items.push_back(std::move(entry));
  }
  return items;
}

Value itemsOfMatrix(const tk::Matrix& matrix) {
  Array items;
  for (const tk::ButtonCell* cell : matrix.cells()) {
    Dict entry;
    entry.set("title", cell->title());
    entry.set("value", cell->representedObject().text());
    entry.set("state", stateText(cell->state()));
    entry.set("enabled", cell->isEnabled());
    items.push_back(std::move(entry));
  }
  return items;
}

Value nodeOf(const tk::View& view) {
  Dict node;
  node.set("class", view.className());
  const tk::Rect& f = view.frame();
  node.set("frame", Array{f.x, f.y, f.width, f.height});
  if (const auto* control = dynamic_cast<const KORAUI*>(&view)) {
    node.set("mainKeyword", control->mainKeyword());
    node.set("controlType", control->controlType());
    if (control->value()) node.set("value", *control->value());
    node.set("hidden", control->isHidden());
    node.set("enabled", control->isEnabled());
  } else {
    node.set("hidden", view.isHidden());
  }
  if (const auto* field = dynamic_cast<const tk::TextField*>(&view)) {
    if (field->isEditable()) {
      node.set("enabled", field->isEnabled());
      node.set("value", field->stringValue());
    } else {
      // A label is never enabled itself: its colour shows whether its control is.
      node.set("enabled", field->textColor() == tk::Color::controlTextColor());
      node.set("title", field->stringValue());
    }
  } else if (const auto* button = dynamic_cast<const tk::Button*>(&view)) {
    node.set("enabled", button->isEnabled());
    node.set("title", button->title());
    if (button->buttonType() == tk::ButtonType::Switch || button->buttonType() == tk::ButtonType::Radio)
      node.set("value", stateText(button->state()));
  } else if (const auto* popup = dynamic_cast<const tk::PopUpButton*>(&view)) {
    node.set("enabled", popup->isEnabled());
    node.set("value", popup->titleOfSelectedItem());
    node.set("items", itemsOfPopup(*popup));
  } else if (const auto* matrix = dynamic_cast<const tk::Matrix*>(&view)) {
    node.set("enabled", matrix->isEnabled());
    node.set("value", static_cast<long long>(matrix->selectedRow()));
    node.set("items", itemsOfMatrix(*matrix));
  } else if (const auto* picker = dynamic_cast<const tk::DatePicker*>(&view)) {
    node.set("enabled", picker->isEnabled());
    node.set("value", static_cast<long long>(kora_ui_detail::secondsWithinDates(
                          picker->dateValue().secondsSinceReferenceDate +
                          kora_ui_detail::kSecondsFrom1970ToReferenceDate)));
  } else if (const auto* image = dynamic_cast<const tk::ImageView*>(&view)) {
    node.set("value", image->image() ? image->image()->name() : std::string());
  } else if (const auto* other = dynamic_cast<const tk::Control*>(&view)) {
    node.set("enabled", other->isEnabled());
    node.set("value", other->stringValue());
  }
  if (view.subviewCount() > 0) {
    Array subviews;
    for (const tk::View* sub : view.subviews()) subviews.push_back(nodeOf(*sub));
    node.set("subviews", std::move(subviews));
  }
  return node;
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\r') {
      out += "\\r";
      continue;
    }
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

void renderText(const Dict& node, int depth, std::string& out) {
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
  out += node.get("class").text();
  if (const Array* f = node.get("frame").asArray()) {
    out += " (" + (*f)[0].text() + ", " + (*f)[1].text() + ", " + (*f)[2].text() + ", " + (*f)[3].text() + ")";
  }
  if (node.contains("mainKeyword")) out += " keyword=" + quoted(node.get("mainKeyword").text());
  if (node.contains("controlType")) out += " type=" + quoted(node.get("controlType").text());
  if (node.contains("title")) out += " title=" + quoted(node.get("title").text());
  if (node.contains("value")) out += " value=" + quoted(node.get("value").text());
  if (node.get("hidden").truth()) out += " hidden";
  if (const Value* enabled = node.find("enabled"); enabled != nullptr && !enabled->truth()) out += " disabled";
  out += "\n";
  if (const Array* items = node.get("items").asArray()) {
    for (const Value& v : *items) {
      const Dict& item = *v.asDict();
      out.append(static_cast<std::size_t>(depth + 1) * 2, ' ');
      if (item.get("separator").truth()) {
        out += "- separator";
      } else {
        out += "- " + quoted(item.get("title").text()) + " = " + quoted(item.get("value").text());
        if (item.contains("state")) out += " " + item.get("state").text();
        if (item.get("selected").truth()) out += " selected";
        if (!item.get("enabled").truth()) out += " disabled";
      }
      out += "\n";
    }
  }
  if (const Array* subviews = node.get("subviews").asArray())
    for (const Value& sub : *subviews) renderText(*sub.asDict(), depth + 1, out);
}

}  // namespace

Value controlTreeValue(const KORAUI& control) { return nodeOf(control); }

std::string controlTreeText(const KORAUI& control) {
  std::string out;
  const Value tree = controlTreeValue(control);
  renderText(*tree.asDict(), 0, out);
  return out;
}

}  // namespace orval
