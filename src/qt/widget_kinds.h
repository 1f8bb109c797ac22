// The widget a model view is shown by: its kind (by the view's class and
// flags), the widget made for it (wired to put a person's input into the
// model) and the reading of the view's state into the widget. The renderer
// places the widgets and walks the tree; these know one view at a time.
#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>

#include "platform/toolkit/image.h"

namespace orval::tk {
class View;
}  // namespace orval::tk

namespace orval::qt {

enum class WidgetKind {
  Plain, Label, Field, PushButton, CheckBox, Radio, PopUp, PullDown, Matrix, Stepper, Slider, Date, Image,
  GroupBox, Separator, TabView, ScrollArea, Clip, Table, Outline,
};

// The kind of widget that shows view now (a kind may change with the view's flags).
WidgetKind widgetKindOf(const tk::View& view);
// A new widget of kind for view under parent, wired to the model.
QWidget* makeWidget(tk::View& view, WidgetKind kind, QWidget* parent);
// Reads view's state into its widget, writing only what differs. built keeps what the
// widget's item list (pop-up items, table rows) was last built from.
void showViewState(tk::View& view, WidgetKind kind, QWidget& widget, std::string& built);

// The model's reference date (2001-01-01 00:00:00 UTC) in seconds since 1970.
inline constexpr qint64 kReferenceDate = 978307200;
// Slider positions over the slider's range, when its values are not restricted to ticks.
inline constexpr int kSliderSteps = 1000;

// The icon of a model image (none without a file).
QIcon iconOf(const std::optional<tk::Image>& image);
inline QString qs(const std::string& text) { return QString::fromStdString(text); }
// A widget as the class its kind makes.
template <class W>
W* as(QWidget* widget) {
  return static_cast<W*>(widget);
}

}  // namespace orval::qt
