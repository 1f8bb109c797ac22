#include "platform/print/cups_job_options.h"

#include <cstring>

#include "platform/foundation/text_encoding.h"

namespace orval {
namespace {

// The print system's own settings that CUPS knows by its own names.
constexpr const char* kCopies = "copies";
constexpr const char* kCollate = "collate";
constexpr const char* kSides = "sides";

bool isStandardOption(std::string_view name) { return name == kCopies || name == kCollate || name == kSides; }

const char* sidesOf(DuplexMode mode) {
  switch (mode) {
    case DuplexMode::NoTumble:
      return "two-sided-long-edge";
    case DuplexMode::Tumble:
      return "two-sided-short-edge";
    case DuplexMode::None:
    case DuplexMode::SimplexTumble:
      break;
  }
  return "one-sided";
}

// The text of a print setting's value; nullopt for a value that has none (a list, a dictionary, data).
std::optional<std::string> settingText(const Value& value) {
  if (value.isString() || value.isBool() || value.asInteger() != nullptr || value.asReal() != nullptr)
    return value.text();
  return std::nullopt;
}

bool setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

}  // namespace

std::optional<std::string> cupsOptionNameProblem(std::string_view name) {
  if (name.empty()) return "an option needs a name";
  if (name.size() > 255) return "the option name is longer than 255 bytes";
  for (const char c : name)
    if (c <= ' ' || c >= 0x7F || c == '=' || c == '"' || c == '\'' || c == '\\')
      return "the option name \"" + std::string(name) + "\" holds a character other than a printable ASCII letter, "
             "digit or sign (no blank, quote, \"=\" or \"\\\")";
  return std::nullopt;
}

std::optional<std::string> cupsOptionValueProblem(std::string_view value) {
  if (value.size() > kCupsOptionMaxValueBytes)
    return "the value is " + std::to_string(value.size()) + " bytes long; at most " +
           std::to_string(kCupsOptionMaxValueBytes) + " fit";
  if (value.find('\0') != std::string_view::npos) return "the value holds a zero byte";
  return std::nullopt;
}

CupsJobOptions::CupsJobOptions(CupsJobOptions&& other) noexcept
    : count_(std::exchange(other.count_, 0)), options_(std::exchange(other.options_, nullptr)) {}

CupsJobOptions& CupsJobOptions::operator=(CupsJobOptions&& other) noexcept {
  if (this != &other) {
    cupsFreeOptions(count_, options_);
    count_ = std::exchange(other.count_, 0);
    options_ = std::exchange(other.options_, nullptr);
  }
  return *this;
}

CupsJobOptions::~CupsJobOptions() { cupsFreeOptions(count_, options_); }

bool CupsJobOptions::add(std::string_view name, std::string_view value, std::string* error) {
  if (const std::optional<std::string> problem = cupsOptionNameProblem(name)) return setError(error, *problem);
  if (const std::optional<std::string> problem = cupsOptionValueProblem(value))
    return setError(error, "option " + std::string(name) + ": " + *problem);
  count_ = cupsAddOption(std::string(name).c_str(), std::string(value).c_str(), count_, &options_);
  return true;
}

std::optional<CupsJobOptions> CupsJobOptions::make(const PrintSettings& settings,
                                                   const PrinterDescription* description, std::string* error) {
  CupsJobOptions made;
  for (const auto& [key, value] : settings.values()) {
    if (key.starts_with(PrintSettings::kPrintSystemKeyPrefix)) continue;
    const std::optional<std::string> text = settingText(value);
    if (!text) {
      setError(error, "the print setting " + key + " holds a list or data, which a job option cannot carry");
      return std::nullopt;
    }
    if (!made.add(key, *text, error)) return std::nullopt;
  }
  if (description != nullptr)
    for (const auto& [keyword, choice] : description->markedChoices())
      if (!made.add(keyword, choice.text(), error)) return std::nullopt;
  made.add(kCopies, std::to_string(settings.copies()), nullptr);
  made.add(kCollate, settings.collate() ? "true" : "false", nullptr);
  made.add(kSides, sidesOf(settings.duplex()), nullptr);
  return made;
}

std::vector<std::pair<std::string, std::string>> CupsJobOptions::list() const {
  std::vector<std::pair<std::string, std::string>> out;
  out.reserve(static_cast<std::size_t>(count_));
  for (int i = 0; i < count_; ++i) out.emplace_back(options_[i].name, options_[i].value);
  return out;
}

std::optional<std::string> CupsJobOptions::value(std::string_view name) const {
  const char* found = cupsGetOption(std::string(name).c_str(), count_, options_);
  if (found == nullptr) return std::nullopt;
  return std::string(found);
}

void CupsJobOptions::encode(ipp_t* request) const {
  for (int i = 0; i < count_; ++i) {
    const cups_option_t& option = options_[i];
    if (isStandardOption(option.name))
      cupsEncodeOption(request, IPP_TAG_JOB, option.name, option.value);
    else
      ippAddOctetString(request, IPP_TAG_JOB, option.name, option.value, static_cast<int>(std::strlen(option.value)));
  }
}

std::string cupsJobTitle(std::string_view title) {
  std::string text = decodeText(title, TextEncoding::UTF8, /*lossy=*/true).value_or(std::string());
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  if (text.size() > kCupsJobTitleMaxBytes) {
    std::size_t end = kCupsJobTitleMaxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;  // not inside a character
    text.resize(end);
  }
  return text;
}

}  // namespace orval
