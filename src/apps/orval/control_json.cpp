#include "apps/orval/control_json.h"

#include <vector>

#include "platform/toolkit/button.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/window.h"
#include "settings_ui/kora_ui.h"

namespace orval::cli {
namespace {

Json optionalText(const std::optional<std::string>& text) { return text ? Json(*text) : Json(nullptr); }

// The choice values of control, in its description's order.
std::vector<std::string> choiceValues(const KORAUI& control) {
  std::vector<std::string> values;
  for (const Value& entry : control.theArray())
    if (const Dict* choice = entry.asDict(); choice != nullptr && choice->get("choice").isString())
      values.push_back(*choice->get("choice").asString());
  return values;
}

std::string notAChoice(const KORAUI& control, const std::string& value, const std::vector<std::string>& offered) {
  std::string list;
  for (const std::string& choice : offered) list += (list.empty() ? "" : ", ") + choice;
  return control.mainKeyword() + ": \"" + value + "\" is not one of its choices (" + list + ")";
}

std::optional<std::string> pickPopUpItem(KORAUI& control, tk::PopUpButton& popup, const std::string& value) {
  std::vector<std::string> offered;
  for (int i = 0; i < popup.numberOfItems(); ++i) {
    const tk::MenuItem* item = popup.itemAtIndex(i);
    if (item->isSeparatorItem() || !item->representedObject().isString()) continue;
    const std::string& choice = *item->representedObject().asString();
    if (choice == value) {
      if (!popup.isItemEnabled(i)) return control.mainKeyword() + ": \"" + value + "\" is not available now";
      popup.selectItemAtIndex(i);
      popup.sendAction();
      return std::nullopt;
    }
    offered.push_back(choice);
  }
  return notAChoice(control, value, offered);
}

std::optional<std::string> pickRadioButton(KORAUI& control, tk::Matrix& matrix, const std::string& value) {
  std::vector<std::string> offered;
  for (int row = 0; row < matrix.numberOfRows(); ++row) {
    for (int column = 0; column < matrix.numberOfColumns(); ++column) {
      const tk::ButtonCell* cell = matrix.cellAtRow(row, column);
      if (cell == nullptr || !cell->representedObject().isString()) continue;
      if (*cell->representedObject().asString() != value) {
        offered.push_back(*cell->representedObject().asString());
        continue;
      }
      if (!cell->isEnabled()) return control.mainKeyword() + ": \"" + value + "\" is not available now";
      matrix.selectCellAtRow(row, column);
      matrix.sendAction();
      return std::nullopt;
    }
  }
  return notAChoice(control, value, offered);
}

std::optional<std::string> setCheckBox(KORAUI& control, tk::Button& box, const std::string& value) {
  // The first choice is the checked state, the second the unchecked one.
  const std::vector<std::string> choices = choiceValues(control);
  for (std::size_t i = 0; i < choices.size() && i < 2; ++i) {
    if (choices[i] != value) continue;
    control.setCheckBoxState(i == 0 ? 1 : 0);
    box.sendAction();
    return std::nullopt;
  }
  return notAChoice(control, value, choices);
}

std::optional<std::string> typeInto(KORAUI& control, tk::TextField& field, const std::string& value) {
  tk::Window* window = field.window();
  if (window == nullptr || !window->makeFirstResponder(&field) || field.currentEditor() == nullptr)
    return control.mainKeyword() + ": its field cannot take the focus";
  tk::FieldEditor& editor = *field.currentEditor();
  editor.selectAll();
  const bool typed = value.empty() ? editor.string().empty() || editor.deleteBackward() : editor.typeText(value);
  if (!typed || editor.string() != value) {
    field.abortEditing();
    return control.mainKeyword() + ": the field refuses \"" + value + "\"";
  }
  if (!editor.insertNewline() || !window->makeFirstResponder(nullptr)) {
    field.abortEditing();
    return control.mainKeyword() + ": the field refuses \"" + value + "\"";
  }
  return std::nullopt;
}

}  // namespace

Json settingsControlJson(KORAUI& control) {
  Json choices = Json::array();
  if (const tk::PopUpButton* popup = control.popupButton()) {
    // What the pop-up offers now (device-dependent lists applied).
    for (const tk::MenuItem* item : popup->itemArray())
      if (!item->isSeparatorItem() && item->representedObject().isString())
        choices.push_back({{"value", *item->representedObject().asString()}, {"title", item->title()}});
  } else {
    for (const std::string& value : choiceValues(control))
      choices.push_back({{"value", value}, {"title", control.getOptionText(value).value_or(value)}});
  }
  Json children = Json::array();
  for (KORAUI* child : control.childControls()) children.push_back(settingsControlJson(*child));
  const std::optional<std::string> value = control.getStringValue();
  // Controls that show no text of their own (sliders, date pickers) show their value.
  std::optional<std::string> shown = control.getSelectedOptionText();
  if (!shown) shown = control.getOptionText(value);
  if (!shown) shown = value;
  return {{"key", control.mainKeyword()},
          {"title", control.mainKeywordText()},
          {"kind", control.controlType()},
          {"value", optionalText(value)},
          {"shown", optionalText(shown)},
          {"choices", std::move(choices)},
          {"enabled", control.isEnabled()},
          {"hidden", control.isHidden()},
          {"children", std::move(children)}};
}

void printControl(std::ostream& out, const Json& control, const std::string& indent) {
  out << indent << control["title"].get<std::string>() << " [" << control["key"].get<std::string>() << "] = ";
  out << (control["shown"].is_null() ? "-" : control["shown"].get<std::string>());
  if (!control["value"].is_null() && control["value"] != control["shown"]) out << " (" << control["value"].get<std::string>() << ")";
  if (!control["choices"].empty()) {
    out << "  {";
    bool first = true;
    for (const Json& choice : control["choices"]) {
      out << (first ? "" : ", ") << choice["value"].get<std::string>();
      first = false;
    }
    out << "}";
  }
  if (!control["enabled"].get<bool>()) out << "  disabled";
  if (control["hidden"].get<bool>()) out << "  hidden";
  out << '\n';
  for (const Json& child : control["children"]) printControl(out, child, indent + "  ");
}

std::optional<std::string> changeControlAsAPerson(KORAUI& control, const std::string& value) {
  const std::string& key = control.mainKeyword();
  if (control.isHidden()) return key + " is hidden now (orval why " + key + " says why)";
  if (!control.isEnabled()) return key + " is disabled now (orval why " + key + " says why)";
  if (tk::PopUpButton* popup = control.popupButton()) return pickPopUpItem(control, *popup, value);
  if (tk::Matrix* matrix = control.radioButtonMatrix()) return pickRadioButton(control, *matrix, value);
  if (tk::Button* box = control.checkbox()) return setCheckBox(control, *box, value);
  if (tk::TextField* field = control.text()) return typeInto(control, *field, value);
  return key + ": a " + control.controlType() + " cannot be set from the terminal";
}

}  // namespace orval::cli
