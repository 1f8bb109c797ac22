// PrintOptionConverter: converts a set of print options between its three forms.
//
//  - internal: what the panes and the settings engine hold; one key per
//    control, several printer-description keywords joined into one key where
//    one control sets them together ("Punch_PunchHoles", "PageOrder_new",
//    "ImpositionMode_ImpositionCustomMode"...), lengths in millimetres,
//    magnifications in percent, passwords in clear;
//  - canonical: one key per printer-description keyword, lengths in cep units
//    (1/14400 inch), magnifications as integers, passwords encoded;
//  - InputMgr: the form favorites are stored in; short tag keys ("CL_RGBMD",
//    "SP_SAVEFT"...) and numbers or booleans where the convert table says so.
//
// Internal <-> canonical works in place on one dictionary (class operations,
// no state). Canonical <-> InputMgr builds a new dictionary and is driven by
// the keyword convert table, which the shared instance reads from its table
// source on every conversion (see ConvertTableSource). A key holding an empty
// string counts as not set, as a missing key does.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/convert_table_source.h"
#include "conversion/unit_conversion.h"
#include "platform/foundation/value.h"

namespace orval {

class PrintOptionConverter {
 public:
  // The process-wide converter, created on first use (reading the principal bundle's table).
  static PrintOptionConverter& sharedInstance();
  // Test-only: forgets the shared converter, so the next use makes a fresh one.
  static void resetSharedForTesting();

  PrintOptionConverter();
  explicit PrintOptionConverter(std::unique_ptr<ConvertTableSource> source);
  PrintOptionConverter(const PrintOptionConverter&) = delete;
  PrintOptionConverter& operator=(const PrintOptionConverter&) = delete;

  // Internal <-> canonical (in place) ------------------------------------------------------

  // Internal -> canonical; with convertCustomFlg clear, passwords stay in clear and the
  // paper size, form position and print position lengths stay in millimetres.
  static void convertToCanonicalPpdKeyword(PrintOption& options, bool convertCustomFlg);
  // Canonical -> internal.
  static void convertToInternalPpdKeyword(PrintOption& options);

  // One joined key ("PaperType_MediaTypeTabbed") -> its parts; nothing when the value's parts
  // do not match the key's.
  static void splitKeyword(PrintOption& options, std::string_view joinedMainKeyword);
  // The parts -> one joined key; nothing unless every part is set.
  static void joinKeyword(PrintOption& options, std::string_view joinedMainKeyword);
  // Reverses the order of the creases and mirrors their positions on the sheet length (its own inverse).
  static void swapCreaseKeyword(PrintOption& options);
  // Exchanges the values of key1 and key2 when both are present.
  static void swapKeywordValue(PrintOption& options, std::string_view key1, std::string_view key2);

  // Millimetres -> cep, rounded to an integer.
  static std::string convertMmToCep(std::string_view millimetres) { return orval::convertMmToCep(millimetres); }
  // Cep -> millimetres with two decimals.
  static std::string convertCepToMm(std::string_view cep) { return orval::convertCepToMm(cep); }
  // Print position magnification -> percent with one decimal.
  static std::string convertKORAToMag(std::string_view kora) { return orval::convertKORAToMag(kora); }
  // Percent -> print position magnification (integer).
  static std::string convertMagToKORA(std::string_view percent) { return orval::convertMagToKORA(percent); }

  // "Magnification" in tenths -> percent with one decimal ("1000" -> "100.0").
  static void convertToInternalMagnification(PrintOption& options);
  // "Magnification" in percent -> tenths ("100.0" -> "1000").
  static void convertToCanonicalMagnification(PrintOption& options);
  // "GraphicsTreatmentBase" and "GraphicsTreatmentMode" -> "GraphicsTreatmentEx".
  static void convertToInternalGraphicsTreatmentEx(PrintOption& options);
  // "GraphicsTreatmentEx" -> "GraphicsTreatmentBase" and "GraphicsTreatmentMode".
  static void convertToCanonicalGraphicsTreatmentEx(PrintOption& options);

  // Canonical <-> InputMgr (new dictionaries) -------------------------------------------------

  // InputMgr -> canonical; empty when options is missing or there is no table.
  PrintOption toPpdKeywordFormat(const PrintOption* options) const;
  PrintOption toPpdKeywordFormat(const PrintOption& options) const { return toPpdKeywordFormat(&options); }
  // Canonical -> InputMgr; empty when options is missing or there is no table.
  PrintOption toInputMgrFormat(const PrintOption* options) const;
  PrintOption toInputMgrFormat(const PrintOption& options) const { return toInputMgrFormat(&options); }
  // The InputMgr value of one canonical keyword's value; none when it does not convert.
  std::optional<Value> inputMgrTagValue(std::string_view keyword, const Value& value) const;
  // The convert table as it is now (read on every call); null when it cannot be read.
  std::shared_ptr<const Dict> convertTable() const;

  // Replaces where the convert table comes from (nullptr: the principal bundle again).
  void setConvertTableSource(std::unique_ptr<ConvertTableSource> source);
  const ConvertTableSource& convertTableSource() const { return *_convertTableSource; }

 private:
  static void _convertToCanonicalPunch(PrintOption& options);
  static void _convertToInternalPunch(PrintOption& options);
  static void _convertToCanonicalPageOrder(PrintOption& options);
  static void _convertToInternalPageOrder(PrintOption& options);
  // The InputMgr value of value through one table entry; none when it does not convert.
  static std::optional<Value> _inputMgrTagValue(const Dict& entry, const Value& value);
  // The canonical value of an InputMgr value through one table entry; none when it does not convert.
  static std::optional<Value> _optionKeyword(const Dict& entry, const Value& inputMgrTagValue);

  std::unique_ptr<ConvertTableSource> _convertTableSource;
};

}  // namespace orval
