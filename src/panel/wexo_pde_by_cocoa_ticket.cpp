// WexoPDEByCocoa: the job's settings. The panel's option set goes into the
// job as marked choices of the printer description and as private entries of
// the print settings (print_settings_ticket.h), and comes back from them.
#include <memory>

#include "conversion/print_option_converter.h"
#include "detailed_settings/detailed_settings_win_controller.h"
#include "panel/print_settings_ticket.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "settings_ui/max_bytes_formatter.h"
#include "settings_ui/text_field_attach.h"

namespace orval {

namespace {

constexpr const char* kMediaTypeKey = "QZMediaType";

// A value as the job stores it: booleans as "True"/"False", numbers as
// decimal text; none for a value that is no text (logged by the caller).
std::optional<std::string> storedText(const Value& value) {
  if (value.isString() || value.isBool() || value.isNumber()) return value.text();
  return std::nullopt;
}

// The converter of the job name field: what the job name dialog stores of a typed name.
StringEscapeConverter jobNameEscapeConverter() {
  MaxBytesFormatterWithEscape formatter(0, 0);
  attachEscapeRule(&formatter);
  return formatter.escapeConverter();
}

}  // namespace

// Access to the job's settings ----------------------------------------------------------------------------

int WexoPDEByCocoa::_ticketSetString(Ticket* ticket, const std::string& key, const std::optional<std::string>& value) {
  if (key.empty()) return kParamErr;
  if (_useConstraintHandling) {
    PrintSettings* settings = _printSettings();
    if (settings == nullptr) return kParamErr;
    settings->setValue(key, value ? Value(*value) : Value());
    return 0;
  }
  if (ticket == nullptr) return kParamErr;
  if (value) ticket->setString(key, *value, kPanelKind);
  return 0;
}

int WexoPDEByCocoa::_ticketGetString(Ticket* ticket, const std::string& key, std::optional<std::string>* value) {
  value->reset();
  if (key.empty()) return kParamErr;
  if (_useConstraintHandling) {
    const PrintSettings* settings = _printSettings();
    if (settings == nullptr) return kParamErr;
    if (const Value* stored = settings->value(key); stored != nullptr && stored->isString())
      *value = *stored->asString();
    return 0;
  }
  if (ticket == nullptr) return kParamErr;
  *value = ticket->getString(key);
  return 0;
}

int WexoPDEByCocoa::_ticketGetSInt32(Ticket* ticket, const std::string& key, std::optional<std::int32_t>* value) {
  value->reset();
  if (key.empty()) return kParamErr;
  if (_useConstraintHandling) {
    const PrintSettings* settings = _printSettings();
    if (settings == nullptr) return kParamErr;
    *value = settings->int32Value(key);
    return 0;
  }
  if (ticket == nullptr) return kParamErr;
  *value = ticket->getSInt32(key);
  return 0;
}

int WexoPDEByCocoa::_customTicketSetString(Ticket* ticket, const std::string& key,
                                           const std::optional<std::string>& value) {
  if (key.empty()) return 0;
  return _ticketSetString(ticket, privateEntryKey(key),
                          value ? std::optional<std::string>(escapeTicketValue(*value)) : std::nullopt);
}

int WexoPDEByCocoa::_customTicketGetString(Ticket* ticket, const std::string& key,
                                           std::optional<std::string>* value) {
  value->reset();
  if (key.empty()) return 0;
  return _ticketGetString(ticket, privateEntryKey(key), value);
}

void WexoPDEByCocoa::removedObjectByGatheringPrintOption(const std::string& key) {
  _customTicketSetString(nullptr, key, std::nullopt);
}

// Routing values ---------------------------------------------------------------------------------------

void WexoPDEByCocoa::_willChangePPDOptionKeyValue(const std::string& key, const std::string& choice,
                                                  Dict* ppdDictionary) {
  if (ppdDictionary != nullptr) {
    ppdDictionary->set(key, Value(choice));
  } else if (_useConstraintHandling && _pdePluginCallbackObject != nullptr) {
    _pdePluginCallbackObject->willChangePPDOptionKeyValue(key, choice);
  }
}

void WexoPDEByCocoa::_setValueToPpdDictionary(Ticket* ticket, Dict* ppdDictionary, const std::string& mainKeyword,
                                              const std::string& optionKeyword) {
  if (_panePlugInMgr->isExistsInPpd(mainKeyword, optionKeyword)) {
    _willChangePPDOptionKeyValue(mainKeyword, optionKeyword, ppdDictionary);
    std::optional<std::string> stored;
    _customTicketGetString(ticket, mainKeyword, &stored);
    if (stored) _customTicketSetString(ticket, mainKeyword, std::nullopt);
    return;
  }
  if (mainKeyword.empty()) return;
  _customTicketSetString(ticket, mainKeyword, optionKeyword);
  if (_panePlugInMgr->isExistsInPpd(mainKeyword)) {
    // The option keeps a choice the printer description knows: the default.
    // A default that is not one of its choices (an internal form) would mark
    // nothing, so the description's own default stands in for it.
    const Value* byDefault = _defaultPrintOption ? _defaultPrintOption->find(mainKeyword) : nullptr;
    std::optional<std::string> choice = byDefault != nullptr ? storedText(*byDefault) : std::nullopt;
    if (choice && !_panePlugInMgr->isExistsInPpd(mainKeyword, *choice)) {
      const PpdFileExt* ppd = _panePlugInMgr->ppdInformation();
      const std::optional<Value> own = ppd != nullptr ? ppd->defaultOptionChoice(mainKeyword) : std::nullopt;
      choice = own ? std::optional<std::string>(own->text()) : std::nullopt;
    }
    if (choice) _willChangePPDOptionKeyValue(mainKeyword, *choice, ppdDictionary);
  } else if (ppdDictionary != nullptr) {
    ppdDictionary->remove(mainKeyword);
  }
}

bool WexoPDEByCocoa::_checkUIConstraint(Ticket* ticket, Dict* ppdDictionary) {
  std::optional<std::string> duplex;
  std::optional<std::int32_t> code;
  _ticketGetSInt32(ticket, std::string(PrintSettings::kDuplexKey), &code);
  if (code == 1) duplex = "None";
  if (code == 2) duplex = "DuplexNoTumble";
  if (code == 3) duplex = "DuplexTumble";
  std::optional<std::string> mediaType;
  if (_useConstraintHandling) {
    if (const PpdFileExt* ppd = _ppd())
      if (std::optional<Value> marked = ppd->findMarkedChoice(kMediaTypeKey)) mediaType = marked->text();
  } else if (ppdDictionary != nullptr) {
    if (const Value* entry = ppdDictionary->find(kMediaTypeKey)) mediaType = entry->text();
  }
  return !_panePlugInMgr->resloveConflictAlertDuplex(duplex, mediaType, 1).empty();
}

// Save ----------------------------------------------------------------------------------------------------

int WexoPDEByCocoa::_gatherPrintOptionFromUi(Ticket* ticket, Dict* ppdDictionary) {
  _customTicketSetString(ticket, kSpecificJobNameKey, _specificJobNameValue);
  _customTicketSetString(ticket, kJobNameKey, _escapedJobNameValue);
  // The default favorite chosen: the job names none, so a restore does not bring back the last one.
  if (std::optional<std::string> favorite = _selectedFavoriteName())
    _customTicketSetString(ticket, kFavoriteNameKey, favorite->empty() ? std::nullopt : favorite);
  _customTicketSetString(ticket, kProfilePathKey, _selectedProfilePath);

  if (!_printOption) _printOption = PrintOption();
  _panePlugInMgr->setDelegate(this);
  DetailedSettingsWinController::sharedInstance().reformatPrintOption(*_printOption);
  _panePlugInMgr->setDelegate(nullptr);
  _gatherValuesFromPane(*_printOption);

  PrintOptionConverter::convertToCanonicalPpdKeyword(*_printOption, true);
  for (const auto& [key, value] : *_printOption) {
    if (value.isNull()) continue;
    const std::optional<std::string> text = storedText(value);
    if (!text) {
      logMessage("###Error: the option " + key + " holds no text and is not stored with the job");
      continue;
    }
    _setValueToPpdDictionary(ticket, ppdDictionary, key, *text);
  }
  PrintOptionConverter::convertToInternalPpdKeyword(*_printOption);

  if (ppdDictionary != nullptr)
    for (const std::string& key : ppdDictionary->keys())
      if (!_printOption->contains(key)) ppdDictionary->remove(key);
  return _checkUIConstraint(ticket, ppdDictionary) ? kConstraintErr : 0;
}

// Restore -------------------------------------------------------------------------------------------------

int WexoPDEByCocoa::_restorePrintOptionToUi(Ticket* ticket, Dict* ppdDictionary) {
  if (!_printOption) _printOption = PrintOption();
  try {
    const PpdFileExt* ppd = _useConstraintHandling ? _ppd() : nullptr;
    PrintOptionConverter::convertToCanonicalPpdKeyword(*_printOption, true);
    for (const std::string& key : _printOption->keys()) {
      std::optional<std::string> found;
      std::optional<std::string> stored;
      _customTicketGetString(ticket, key, &stored);
      if (stored) {
        found = unescapeTicketValue(*stored);
        if (!found)
          logMessage("###Error: the job's entry for " + key + " is not an escaped text (\"" + *stored +
                     "\"); the option keeps its default");
      } else if (ppdDictionary != nullptr) {
        if (const Value* entry = ppdDictionary->find(key)) found = entry->text();
      } else if (ppd != nullptr) {
        if (std::optional<Value> marked = ppd->findMarkedChoice(key)) found = marked->text();
      }
      if (found) _printOption->set(key, Value(*found));
    }
    PrintOptionConverter::convertToInternalPpdKeyword(*_printOption);
    _panePlugInMgr->restorePrintOptionValues(&*_printOption);
  } catch (const PlatformException& e) {
    logMessage("###Exception in restoring the job's options: " + e.reason());
  }

  // The scalar entries come back as they were set: unescaped like every
  // private entry (a job name holding a comma is shown as typed).
  const auto readScalar = [&](const char* key) -> std::optional<std::string> {
    std::optional<std::string> stored;
    _customTicketGetString(ticket, key, &stored);
    if (!stored) return std::nullopt;
    std::optional<std::string> text = unescapeTicketValue(*stored);
    if (!text) logMessage(std::string("###Error: the job's entry for ") + key + " is not an escaped text; ignored");
    return text;
  };
  if (std::optional<std::string> specific = readScalar(kSpecificJobNameKey)) _specificJobNameValue = *specific;
  if (std::optional<std::string> jobName = readScalar(kJobNameKey)) {
    _escapedJobNameValue = *jobName;
    _jobNameValue = jobNameEscapeConverter().unEscape(*jobName);
  }
  if (std::optional<std::string> favorite = readScalar(kFavoriteNameKey); favorite && !favorite->empty())
    _selectFavoriteNamed(*favorite);
  if (std::optional<std::string> profile = readScalar(kProfilePathKey)) _selectedProfilePath = *profile;

  _updateJobNameUI();
  _restoreValuesToPane(*_printOption);
  _fillFavoritePopup();
  _checkDifferenceFromCurrentFavorite(true);
  return 0;
}

// The job name --------------------------------------------------------------------------------------------

void WexoPDEByCocoa::setJobName(const std::string& specificJobName, const std::string& jobName) {
  _specificJobNameValue = specificJobName;
  _jobNameValue = jobName;
  _escapedJobNameValue = jobNameEscapeConverter().escape(jobName);
  _updateJobNameUI();
}

}  // namespace orval
