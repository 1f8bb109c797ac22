#include "apps/tzps/backend_settings.h"

namespace orval::tzps {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> percentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = hexValue(text[i + 1]);
    const int low = hexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

bool setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

}  // namespace

std::optional<BackendSettings> backendSettingsFromURI(std::string_view uri, const BackendSettings& defaults,
                                                      std::string* error) {
  constexpr std::string_view kScheme = "tzps:";
  if (!uri.starts_with(kScheme)) {
    setError(error, "\"" + std::string(uri) + "\" is not a tzps: device address");
    return std::nullopt;
  }
  BackendSettings settings = defaults;
  const std::size_t question = uri.find('?');
  if (question == std::string_view::npos) return settings;
  std::string_view query = uri.substr(question + 1);
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (pair.empty()) continue;
    const std::size_t equals = pair.find('=');
    const std::string_view key = pair.substr(0, equals);
    const std::optional<std::string> value =
        equals == std::string_view::npos ? std::nullopt : percentDecoded(pair.substr(equals + 1));
    if (!value || value->empty() || value->find('\0') != std::string::npos) {
      setError(error, "the device address's \"" + std::string(pair) + "\" is not KEY=FOLDER");
      return std::nullopt;
    }
    if (key == "spool") {
      settings.spool = *value;
    } else if (key == "lists") {
      settings.lists = *value;
    } else {
      setError(error, "the device address names an unknown setting \"" + std::string(key) +
                          "\" (known: spool, lists)");
      return std::nullopt;
    }
  }
  return settings;
}

}  // namespace orval::tzps
