#include "panel/print_server_host_name.h"

#include <cctype>

#include "platform/foundation/log.h"
#include "platform/foundation/text_encoding.h"

namespace orval {

namespace {

bool isSchemeCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// text with every "%XX" decoded; a "%" not followed by two hexadecimal digits stays as it is.
std::string percentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = hexValue(text[i + 1]);
      const int low = hexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

// False for a decoded host that holds a control byte or a path separator, or is not UTF-8 text.
bool isUsableHostName(const std::string& host) {
  for (const char c : host) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\') return false;
  }
  return isValidUtf8(host);
}

}  // namespace

std::optional<std::string> hostPartOfDeviceURI(std::string_view uri) {
  // scheme ":" "//" authority, the scheme beginning with a letter.
  const std::size_t colon = uri.find(':');
  if (colon == std::string_view::npos || colon == 0 || std::isalpha(static_cast<unsigned char>(uri[0])) == 0)
    return std::nullopt;
  for (std::size_t i = 0; i < colon; ++i)
    if (!isSchemeCharacter(uri[i])) return std::nullopt;
  std::string_view rest = uri.substr(colon + 1);
  if (!rest.starts_with("//")) return std::nullopt;
  rest.remove_prefix(2);

  std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);

  std::string_view host;
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(1, close - 1);
  } else {
    host = authority.substr(0, authority.find(':'));
  }
  if (host.empty()) return std::nullopt;
  std::string decoded = percentDecoded(host);
  if (!isUsableHostName(decoded)) {
    logMessage("###The device address' host part is not a usable host name; no print server host is taken");
    return std::nullopt;
  }
  return decoded;
}

std::string printServerHostName(std::string hostPart) {
  if (hostPart.starts_with("v1.")) {
    hostPart.erase(0, 3);
    if (const std::size_t plus = hostPart.find('+'); plus != std::string::npos) hostPart[plus] = '%';
  }
  return hostPart;
}

std::optional<std::string> printServerHostNameFromDeviceURI(std::string_view uri) {
  std::optional<std::string> host = hostPartOfDeviceURI(uri);
  if (!host) return std::nullopt;
  return printServerHostName(std::move(*host));
}

}  // namespace orval
