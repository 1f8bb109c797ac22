// A person typing into the settings' text fields: the input picks a field
// (page ranges, mail addresses, character- or byte-limited text with escaping
// and character sets, the numeric and password fields of the controls, a
// field that must not stay empty) and then plays keystrokes, selections,
// focus changes and programmatic values on it through the field editor.
// A keystroke never takes a limited field's acceptable text beyond its limit
// or to a character it refuses; the selection always stays in the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/principal_bundle.h"
#include "fuzz_support.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/log.h"
#include "platform/foundation/text_encoding.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/text_range.h"
#include "platform/toolkit/window.h"
#include "settings_ui/character_set.h"
#include "settings_ui/kora_secure_text_field.h"
#include "settings_ui/kora_text_field.h"
#include "settings_ui/mail_address_formatter.h"
#include "settings_ui/mail_address_text_field.h"
#include "settings_ui/no_empty_text_field.h"
#include "settings_ui/page_range_formatter.h"
#include "settings_ui/text_field_attach.h"

using namespace orval;

namespace {

// Typed text: what a keyboard gives is always valid Unicode.
std::string typed(FuzzedDataProvider& input, std::size_t most) {
  return *decodeText(input.ConsumeRandomLengthString(most), TextEncoding::UTF8, /*lossy=*/true);
}

std::optional<CharacterSet> characterSet(FuzzedDataProvider& input) {
  if (!input.ConsumeBool()) return std::nullopt;
  return CharacterSet::characterSetWithCharactersInString(typed(input, 16));
}

// The field under test, and the limit its formatter keeps while the person types.
struct FieldUnderTest {
  tk::TextField* field = nullptr;
  TextLimitFormatter* formatter = nullptr;
  std::function<std::size_t(const std::string&)> length;
  std::size_t limit = 0;

  // True when text may stand in the field while the person types.
  bool acceptable(const std::string& text) const {
    return formatter == nullptr || (length(text) <= limit && !formatter->containNotAllowedCharactor(text));
  }
};

template <class Field>
Field& numericField(tk::Window& window, FuzzedDataProvider& input) {
  auto& field = window.contentView().add(std::make_unique<Field>(tk::Rect{0, 0, 200, 24}));
  field.setEditable(true);
  field.setKeyword("Fuzz");
  field.setNum(input.ConsumeBool());
  field.setUnit(input.ConsumeIntegralInRange(0, 10));
  field.setDigit(input.ConsumeIntegralInRange(0, 12));
  field.setMin(input.ConsumeFloatingPoint<double>());
  field.setMax(input.ConsumeFloatingPoint<double>());
  return field;
}

FieldUnderTest makeField(tk::Window& window, FuzzedDataProvider& input) {
  FieldUnderTest made;
  const int limit = input.ConsumeIntegralInRange(0, 300);
  const auto add = [&window](std::unique_ptr<tk::TextField> field) -> tk::TextField& {
    tk::TextField& added = window.contentView().add(std::move(field));
    added.setEditable(true);
    return added;
  };
  const auto limitBytes = [&made, limit](std::shared_ptr<MaxBytesFormatter> formatter) {
    made.formatter = formatter.get();
    made.length = [formatter](const std::string& text) { return formatter->lengthOfText(text); };
    made.limit = static_cast<std::size_t>(limit);
  };
  switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
      made.field = &add(std::make_unique<tk::TextField>());
      limitBytes(PageRangeFormatter::setValidationFormatter(made.field, limit, characterSet(input), "pages"));
      break;
    case 1: {
      made.field = &add(std::make_unique<MailAddressTextField>());
      auto formatter = MailAddressFormatter::setValidationFormatter(made.field, limit, characterSet(input), {});
      attachEscapeRule(formatter.get(), [] { return false; });
      limitBytes(formatter);
      break;
    }
    case 2: {
      made.field = &add(std::make_unique<tk::TextField>());
      const bool japanese = input.ConsumeBool();
      auto formatter =
          attachMaxLengthFormatterWithEscape(made.field, limit, "%d", characterSet(input), [japanese] { return japanese; });
      made.formatter = formatter.get();
      made.length = [formatter](const std::string& text) { return formatter->lengthOfText(text); };
      made.limit = static_cast<std::size_t>(limit);
      break;
    }
    case 3:
      made.field = &add(std::make_unique<tk::TextField>());
      limitBytes(attachMaxBytesFormatter(made.field, limit, "%d", characterSet(input)));
      break;
    case 4:
      made.field = &numericField<KORATextField>(window, input);
      break;
    case 5:
      made.field = &numericField<KORASecureTextField>(window, input);
      break;
    case 6:
      made.field = &add(std::make_unique<NoEmptyTextField>());
      break;
    default:
      made.field = &add(std::make_unique<tk::TextField>());
      limitBytes(attachMaxBytesFormatterWithEscape(made.field, limit, "%d", characterSet(input),
                                                   [] { return true; }));
      break;
  }
  return made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The principal bundle of the text entry fixtures holds the fields' own messages.
  static const std::shared_ptr<Bundle> principal = Bundle::bundleWithPath(
      std::filesystem::path(ORVAL_SOURCE_DIR) / "src/settings_ui/testdata/text_entry/Principal.bundle");
  LogCapture quiet(LogCapture::Sinks::Silenced);
  fuzz::resetProcessState();
  SetBSPrincipalBundle(principal);
  setDefaultCStringEncoding(TextEncoding::CP932);
  FuzzedDataProvider input(data, size);
  {
    tk::Window window;
    window.makeKeyAndOrderFront();
    tk::TextField& next = window.contentView().add(std::make_unique<tk::TextField>());
    next.setEditable(true);
    FieldUnderTest test = makeField(window, input);
    tk::TextField& field = *test.field;
    field.setNextKeyView(&next);
    window.makeFirstResponder(&field);
    while (input.remaining_bytes() > 0) {
      tk::FieldEditor* editor = field.currentEditor();
      const int action = input.ConsumeIntegralInRange(0, 12);
      // Ending the editing shows the stored value again, which may read back otherwise
      // (a LINE SEPARATOR as a line feed); keystrokes are checked within one session.
      const bool keystroke = action <= 4;
      const bool acceptableBefore = editor != nullptr && test.acceptable(editor->string());
      switch (action) {
        case 0: if (editor) editor->typeText(typed(input, 16)); break;
        case 1: if (editor) editor->insertText(typed(input, 16)); break;
        case 2:
          if (editor) {
            const tk::Range range{input.ConsumeIntegralInRange<std::size_t>(0, 300),
                                  input.ConsumeIntegralInRange<std::size_t>(0, 300)};
            editor->replaceCharactersInRange(range, typed(input, 16));
          }
          break;
        case 3: if (editor) editor->deleteBackward(); break;
        case 4: if (editor) editor->deleteForward(); break;
        case 5:
          if (editor)
            editor->setSelectedRange({input.ConsumeIntegral<std::size_t>(), input.ConsumeIntegral<std::size_t>()});
          break;
        case 6: if (editor) editor->selectAll(); break;
        case 7: if (editor) editor->insertNewline(); break;
        case 8: if (editor) input.ConsumeBool() ? editor->insertTab() : editor->insertBacktab(); break;
        case 9: window.makeFirstResponder(nullptr); break;
        case 10: window.makeFirstResponder(&field); break;
        case 11: {
          // The program sets values between the person's editing sessions.
          const std::string value = typed(input, 64);
          if (editor == nullptr) field.setStringValue(value);
          break;
        }
        default:
          if (window.isVisible()) window.orderOut();
          else window.makeKeyAndOrderFront();
          break;
      }
      if (tk::FieldEditor* now = field.currentEditor()) {
        const std::string& text = now->string();
        ORVAL_FUZZ_CHECK(now->selectedRange().end() <= tk::utf16Length(text));
        if (keystroke && acceptableBefore) ORVAL_FUZZ_CHECK(test.acceptable(text));
      }
    }
  }
  fuzz::resetProcessState();
  resetDefaultCStringEncoding();
  return 0;
}
