#include "platform/toolkit/window.h"

#include <functional>

#include "platform/toolkit/application.h"
#include "platform/toolkit/text_field.h"

namespace orval::tk {

namespace {

// Walks the tree under root comparing addresses only (view may be gone).
bool treeContains(const View& root, const View* view) {
  if (&root == view) return true;
  for (const View* v : root.subviews())
    if (treeContains(*v, view)) return true;
  return false;
}

}  // namespace

Window::Window(Rect frame, std::string title, unsigned styleMask)
    : title_(std::move(title)),
      frame_(frame),
      styleMask_(styleMask),
      fieldEditor_(std::make_unique<FieldEditor>()),
      content_(std::make_unique<View>(Rect{0, 0, frame.width, frame.height})) {
  content_->setWindowOfRoot(this);
}

Window::~Window() {
  // The content goes first, while the field editor and the focus still exist.
  content_.reset();
  firstResponder_ = nullptr;
  if (sheetParent_) {
    sheetParent_->sheet_ = nullptr;
    sheetParent_->sheetCompletion_ = nullptr;
  }
  if (sheet_) sheet_->sheetParent_ = nullptr;
  if (Application* app = Application::sharedIfExists()) app->windowWillGoAway(*this);
}

void Window::setContentView(std::unique_ptr<View> view) {
  if (!view) view = std::make_unique<View>();
  viewWillLeave(*content_);
  content_->setWindowOfRoot(nullptr);
  view->setFrame({0, 0, frame_.width, frame_.height});
  content_ = std::move(view);
  content_->setWindowOfRoot(this);
}

void Window::orderOut() { visible_ = false; }

void Window::center() {
  frame_.x = (1440 - frame_.width) / 2;
  frame_.y = (900 - frame_.height) / 2;
}

bool Window::performClose() {
  if (delegate_ && !delegate_->windowShouldClose(*this)) return false;
  close();
  return true;
}

void Window::close() {
  if (delegate_) delegate_->windowWillClose(*this);
  visible_ = false;
  Application& app = Application::shared();
  if (app.modalWindow() == this) app.abortModal();
}

bool Window::containsView(const View* view) const { return view && treeContains(*content_, view); }

int windowLevelForKey(int key) {
  switch (key) {
    case BaseWindowLevelKey: return -2147483647;
    case FloatingWindowLevelKey: return 3;
    case ModalPanelWindowLevelKey: return 8;
    case MainMenuWindowLevelKey: return 24;
    case StatusWindowLevelKey: return 25;
    case PopUpMenuWindowLevelKey: return 101;
    default: return 0;
  }
}

FieldEditor& Window::editorFor(TextField& field) {
  if (delegate_)
    if (FieldEditor* chosen = delegate_->fieldEditorForField(*this, field)) return *chosen;
  if (FieldEditor* custom = field.customFieldEditor()) return *custom;
  return *fieldEditor_;
}

bool Window::makeFirstResponder(Responder* responder) {
  if (responder == this) responder = nullptr;
  if (responder == firstResponder_) return true;
  if (firstResponder_ && !firstResponder_->resignFirstResponder()) return false;
  firstResponder_ = nullptr;
  if (!responder) return true;

  if (auto* view = dynamic_cast<View*>(responder)) {
    if (!containsView(view)) return false;
  } else {
    return false;  // a field editor becomes first responder only through its field
  }
  if (!responder->acceptsFirstResponder() || !responder->becomeFirstResponder()) return false;
  if (auto* field = dynamic_cast<TextField*>(responder)) {
    FieldEditor& editor = editorFor(*field);
    editor.beginEditing(*field, *this, field->text_);
    field->attachEditor(&editor);
    firstResponder_ = &editor;
    return true;
  }
  firstResponder_ = responder;
  return true;
}

void Window::endEditingFor(Responder*) {
  auto* editor = dynamic_cast<FieldEditor*>(firstResponder_);
  if (editor && editor->field()) {
    TextField* field = editor->field();
    field->textDidEndEditing(TextMovement::Other);
    if (editor->field() == field) {
      field->commitText(editor->string());
      fieldWillGoAway(*field);
    }
  }
  firstResponder_ = nullptr;
}

bool Window::selectNextKeyView() {
  View* current = nullptr;
  if (auto* editor = dynamic_cast<FieldEditor*>(firstResponder_))
    current = editor->field();
  else
    current = dynamic_cast<View*>(firstResponder_);
  if (!current) current = initialFirstResponder_ && containsView(initialFirstResponder_) ? initialFirstResponder_ : nullptr;
  if (!current) return makeFirstResponder(nullptr);
  // Follow the key view chain to the first view that can take the focus;
  // with none, the focus stays on (and starts again in) the current view.
  View* candidate = current->nextKeyView();
  for (int guard = 0; candidate && candidate != current && guard < 1000; ++guard) {
    if (containsView(candidate) && candidate->acceptsFirstResponder()) return makeFirstResponder(candidate);
    candidate = containsView(candidate) ? candidate->nextKeyView() : nullptr;
  }
  return makeFirstResponder(current);
}

bool Window::selectPreviousKeyView() {
  View* current = nullptr;
  if (auto* editor = dynamic_cast<FieldEditor*>(firstResponder_))
    current = editor->field();
  else
    current = dynamic_cast<View*>(firstResponder_);
  if (!current) return makeFirstResponder(nullptr);
  // The previous key view is the view whose next key view leads here.
  std::vector<View*> all = content_->findSubviews([](const View&) { return true; });
  View* candidate = current;
  for (std::size_t guard = 0; guard <= all.size(); ++guard) {
    View* previous = nullptr;
    for (View* v : all)
      if (v->nextKeyView() == candidate) previous = v;
    if (!previous || previous == current) break;
    if (previous->acceptsFirstResponder()) return makeFirstResponder(previous);
    candidate = previous;
  }
  return makeFirstResponder(current);
}

bool Window::beginSheet(Window& sheet, std::function<void(int)> completion) {
  if (sheet_ || &sheet == this || sheet.sheetParent_) return false;
  sheet_ = &sheet;
  sheet.sheetParent_ = this;
  sheetCompletion_ = std::move(completion);
  sheet.orderFront();
  Operator& person = Application::shared().requireOperator("a sheet");
  // The person works the sheet until it is ended.
  try {
    while (sheet_ == &sheet) {
      Application::shared().runLoop().runPendingTurns(RunLoopMode::ModalPanel);
      if (sheet_ != &sheet) break;
      person.workModalWindow(sheet);
    }
  } catch (...) {
    // No one could end the sheet: take it down without an answer.
    if (sheet_ == &sheet) {
      sheet_ = nullptr;
      sheet.sheetParent_ = nullptr;
      sheetCompletion_ = nullptr;
      sheet.orderOut();
    }
    throw;
  }
  return true;
}

void Window::endSheet(Window& sheet, int returnCode) {
  if (sheet_ != &sheet) return;
  sheet_ = nullptr;
  sheet.sheetParent_ = nullptr;
  sheet.orderOut();
  std::function<void(int)> completion = std::move(sheetCompletion_);
  sheetCompletion_ = nullptr;
  if (completion) completion(returnCode);
}

void Window::viewWillLeave(View& view) {
  if (initialFirstResponder_ && initialFirstResponder_->isDescendantOf(view)) initialFirstResponder_ = nullptr;
  if (auto* editor = dynamic_cast<FieldEditor*>(firstResponder_)) {
    TextField* field = editor->field();
    if (field && field->isDescendantOf(view)) {
      field->commitText(editor->string());
      fieldWillGoAway(*field);
    }
    return;
  }
  if (auto* focused = dynamic_cast<View*>(firstResponder_); focused && focused->isDescendantOf(view))
    firstResponder_ = nullptr;
}

void Window::fieldWillGoAway(TextField& field) {
  FieldEditor* editor = field.currentEditor();
  if (!editor) return;
  editor->detach();
  field.attachEditor(nullptr);
  if (firstResponder_ == editor) firstResponder_ = nullptr;
}

}  // namespace orval::tk
