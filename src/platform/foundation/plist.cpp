#include "platform/foundation/plist.h"

#include <plist/plist.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist_binary_check.h"
#include "platform/foundation/plist_format.h"
#include "platform/foundation/plist_xml_reader.h"
#include "platform/foundation/text_encoding.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using detail::kMaxDate;
using detail::kMaxDepth;
using detail::kMinDate;
using detail::readBigEndian;
using detail::trimmed;

struct PlistFree {
  void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

// Text a property list can carry: valid UTF-8 without NUL (which neither
// libplist nor C strings can hold).
bool isPlistText(std::string_view s) {
  return s.find('\0') == std::string_view::npos && orval::isValidUtf8(s);
}

// A date node made through the binary reader: libplist 2.2 writes dates made
// with plist_new_date into the binary form as a constant, while dates it has
// read itself are written faithfully.
PlistPtr newDateNode(double seconds) {
  std::uint8_t b[8 + 9 + 1 + 32] = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0x33};
  std::uint64_t bits;
  std::memcpy(&bits, &seconds, sizeof bits);
  for (int i = 0; i < 8; ++i) b[9 + i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
  b[17] = 8;  // the offset table: one offset of one byte
  std::uint8_t* trailer = b + 18;
  trailer[6] = 1;    // offset size
  trailer[7] = 1;    // reference size
  trailer[15] = 1;   // one object, the top one (0)
  trailer[31] = 17;  // offset of the offset table
  plist_t node = nullptr;
  plist_from_bin(reinterpret_cast<const char*>(b), sizeof b, &node);
  return PlistPtr(node);
}

// A date node's seconds, exactly. plist_get_date_val answers whole seconds
// truncated towards zero and the fraction without its sign, so a date in the
// second before the reference date would read as its mirror; the node's own
// binary form holds the exact value.
double dateSeconds(plist_t node) {
  char* bytes = nullptr;
  std::uint32_t length = 0;
  plist_to_bin(node, &bytes, &length);
  const std::unique_ptr<char, decltype(&std::free)> owned(bytes, &std::free);
  if (bytes && length >= 17 && static_cast<std::uint8_t>(bytes[8]) == 0x33) {
    const std::uint64_t bits = readBigEndian(reinterpret_cast<const std::uint8_t*>(bytes) + 9, 8);
    double seconds;
    std::memcpy(&seconds, &bits, sizeof seconds);
    return seconds;
  }
  std::int32_t sec = 0, usec = 0;
  plist_get_date_val(node, &sec, &usec);
  return sec < 0 ? sec - usec / 1e6 : sec + usec / 1e6;
}

// libplist tree -> Value.
bool fromNode(plist_t node, Value& out, std::string& error) {
  switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
      std::uint8_t b = 0;
      plist_get_bool_val(node, &b);
      out = b != 0;
      return true;
    }
    case PLIST_UINT: {
      // Checked to fit 64 signed bits; libplist keeps them as their unsigned pattern.
      std::uint64_t v = 0;
      plist_get_uint_val(node, &v);
      out = Value(static_cast<long long>(v));
      return true;
    }
    case PLIST_REAL: {
      double d = 0;
      plist_get_real_val(node, &d);
      out = d;
      return true;
    }
    case PLIST_STRING: {
      std::uint64_t length = 0;
      const char* s = plist_get_string_ptr(node, &length);
      const std::string_view text(s ? s : "", s ? length : 0);
      if (!isPlistText(text)) return error = "a string is not valid UTF-8", false;
      out = text;
      return true;
    }
    case PLIST_DATE:
      out = Date{dateSeconds(node)};
      return true;
    case PLIST_DATA: {
      std::uint64_t length = 0;
      const char* bytes = plist_get_data_ptr(node, &length);
      out = bytes ? Data(bytes, bytes + length) : Data{};
      return true;
    }
    case PLIST_ARRAY: {
      Array array;
      // Walked with an iterator: libplist finds an item by index from the first item on, which
      // made reading a list of n items take n * n / 2 steps (a long font list, seconds).
      plist_array_iter iter = nullptr;
      plist_array_new_iter(node, &iter);
      const std::unique_ptr<void, decltype(&std::free)> ownedIter(iter, &std::free);
      for (;;) {
        plist_t child = nullptr;
        plist_array_next_item(node, iter, &child);
        if (!child) break;
        Value item;
        if (!fromNode(child, item, error)) return false;
        array.push_back(std::move(item));
      }
      out = std::move(array);
      return true;
    }
    case PLIST_DICT: {
      Dict dict;
      plist_dict_iter iter = nullptr;
      plist_dict_new_iter(node, &iter);
      const std::unique_ptr<void, decltype(&std::free)> ownedIter(iter, &std::free);
      for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iter, &rawKey, &item);
        const std::unique_ptr<char, decltype(&std::free)> ownedKey(rawKey, &std::free);
        if (!item) break;
        const std::string key = rawKey ? rawKey : "";
        if (!isPlistText(key)) return error = "a key is not valid UTF-8", false;
        if (dict.contains(key)) return error = "duplicate key \"" + key + "\"", false;
        Value value;
        if (!fromNode(item, value, error)) return false;
        dict.set(key, std::move(value));
      }
      out = std::move(dict);
      return true;
    }
    case PLIST_UID: {
      // A keyed-archive reference reads as its XML form, {"CF$UID": n}.
      std::uint64_t v = 0;
      plist_get_uid_val(node, &v);
      out = Dict{{"CF$UID", Value(static_cast<long long>(v))}};
      return true;
    }
    default:
      error = "unsupported object";
      return false;
  }
}

// Value -> libplist tree; nullptr with error for what has no plist form.
PlistPtr toNode(const Value& value, int depth, std::string& error) {
  if (depth > kMaxDepth) return error = "values nested too deeply", nullptr;
  switch (value.type()) {
    case Value::Type::Null:
      error = "a null value has no property-list form";
      return nullptr;
    case Value::Type::Bool:
      return PlistPtr(plist_new_bool(*value.asBool()));
    case Value::Type::Integer:
      // libplist writes the 64-bit pattern as a signed integer in both forms.
      return PlistPtr(plist_new_uint(static_cast<std::uint64_t>(*value.asInteger())));
    case Value::Type::Real:
      return PlistPtr(plist_new_real(*value.asReal()));
    case Value::Type::String:
      if (!isPlistText(*value.asString()))
        return error = "a string is not valid UTF-8 or holds NUL", nullptr;
      return PlistPtr(plist_new_string(value.asString()->c_str()));
    case Value::Type::Date: {
      const double seconds = value.asDate()->secondsSinceReferenceDate;
      if (!(seconds >= kMinDate && seconds < kMaxDate))
        return error = "a date is out of the writable range (1932-2069)", nullptr;
      PlistPtr node = newDateNode(seconds);
      if (!node) error = "cannot make a date";
      return node;
    }
    case Value::Type::Data: {
      const Data& data = *value.asData();
      static const char kNone = 0;
      return PlistPtr(plist_new_data(
          data.empty() ? &kNone : reinterpret_cast<const char*>(data.data()), data.size()));
    }
    case Value::Type::Array: {
      PlistPtr array(plist_new_array());
      for (const Value& item : *value.asArray()) {
        PlistPtr child = toNode(item, depth + 1, error);
        if (!child) return nullptr;
        plist_array_append_item(array.get(), child.release());
      }
      return array;
    }
    case Value::Type::Dict: {
      PlistPtr dict(plist_new_dict());
      for (const auto& [key, item] : *value.asDict()) {
        if (!isPlistText(key)) return error = "a key is not valid UTF-8 or holds NUL", nullptr;
        PlistPtr child = toNode(item, depth + 1, error);
        if (!child) return nullptr;
        plist_dict_set_item(dict.get(), key.c_str(), child.release());
      }
      return dict;
    }
  }
  return nullptr;
}

std::optional<std::string> encode(const Value& value, bool binary, std::string& error) {
  PlistPtr root = toNode(value, 1, error);
  if (!root) return std::nullopt;
  char* bytes = nullptr;
  std::uint32_t length = 0;
  if (binary)
    plist_to_bin(root.get(), &bytes, &length);
  else
    plist_to_xml(root.get(), &bytes, &length);
  const std::unique_ptr<char, decltype(&std::free)> owned(bytes, &std::free);
  if (!bytes) {
    error = "libplist could not write the value";
    return std::nullopt;
  }
  return std::string(bytes, length);
}

std::optional<Value> decode(std::span<const std::uint8_t> bytes, std::string& error) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (trimmed(text).empty()) return error = "empty input", std::nullopt;
  if (text.starts_with("bplist")) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
      return error = "too large", std::nullopt;
    if (!detail::checkBinaryPlist(bytes, error)) return std::nullopt;
    plist_t raw = nullptr;
    plist_from_bin(text.data(), static_cast<std::uint32_t>(text.size()), &raw);
    const PlistPtr root(raw);
    if (!root) return error = "malformed binary property list", std::nullopt;
    Value value;
    if (!fromNode(root.get(), value, error)) {
      error = "malformed binary property list: " + error;
      return std::nullopt;
    }
    return value;
  }
  if (!isPlistText(text)) return error = "not a property list (not UTF-8 text)", std::nullopt;
  return detail::readXmlPlist(text, error);
}

void report(std::string_view what, const std::string& reason, std::string* error) {
  logMessage("###Error: " + std::string(what) + ": " + reason);
  if (error) *error = reason;
}

// The most bytes a property list file may hold: the bundle's largest (its UI description) is under 1 MiB, and
// a binary list is refused anyway when it would expand past 64 MiB.
constexpr std::uintmax_t kMaxPlistFileBytes = std::uintmax_t{64} << 20;

}  // namespace

std::optional<Value> plistFromBytes(std::span<const std::uint8_t> bytes, std::string* error) {
  std::string reason;
  std::optional<Value> value = decode(bytes, reason);
  if (!value) report("cannot read property list", reason, error);
  return value;
}

std::optional<Value> plistFromBytes(std::string_view bytes, std::string* error) {
  return plistFromBytes(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), error);
}

std::optional<Value> plistFromFile(const fs::path& path, std::string* error) {
  // A pipe, a device or an outsized file is refused unread: a reader of "a file" would wait or read for ever.
  std::string reason;
  const std::optional<std::string> bytes =
      files::readFileForReason(path, files::FileKind{"property list", kMaxPlistFileBytes}, &reason);
  std::optional<Value> value;
  if (bytes) value = decode(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()), reason);
  if (!value) report("cannot read property list " + path.string(), reason, error);
  return value;
}

std::optional<Dict> dictFromFile(const fs::path& path, std::string* error) {
  std::optional<Value> value = plistFromFile(path, error);
  if (!value) return std::nullopt;
  if (Dict* dict = value->asDict()) return std::move(*dict);
  report("cannot read property list " + path.string(), "the root is not a dictionary", error);
  return std::nullopt;
}

std::string plistToXml(const Value& value) {
  std::string reason;
  std::optional<std::string> xml = encode(value, false, reason);
  if (!xml) report("cannot write property list", reason, nullptr);
  return xml.value_or(std::string());
}

std::string plistToBinary(const Value& value) {
  std::string reason;
  std::optional<std::string> bytes = encode(value, true, reason);
  if (!bytes) report("cannot write property list", reason, nullptr);
  return bytes.value_or(std::string());
}

bool writePlistFile(const fs::path& path, const Value& value, std::string* error) {
  std::string reason;
  const std::optional<std::string> xml = encode(value, false, reason);
  if (!xml) {
    report("cannot write property list " + path.string(), reason, error);
    return false;
  }
  // The file manager's sentence names the file already.
  if (!files::writeFileAtomically(path, *xml, &reason)) {
    logMessage("###Error: " + reason);
    if (error) *error = reason;
    return false;
  }
  return true;
}

}  // namespace orval
