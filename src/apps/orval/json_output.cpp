#include "apps/orval/json_output.h"

#include <cmath>
#include <ctime>

namespace orval::cli {
namespace {

// Seconds from the Unix epoch to the property-list reference date (2001-01-01).
constexpr double kReferenceDateOffset = 978307200.0;

std::string isoDate(const Date& date) {
  const double seconds = std::floor(date.secondsSinceReferenceDate + kReferenceDateOffset);
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

std::string base64(const Data& data) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < data.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, data.size() - i);
    std::uint32_t chunk = static_cast<std::uint32_t>(data[i]) << 16;
    if (n > 1) chunk |= static_cast<std::uint32_t>(data[i + 1]) << 8;
    if (n > 2) chunk |= data[i + 2];
    out += kAlphabet[(chunk >> 18) & 63];
    out += kAlphabet[(chunk >> 12) & 63];
    out += n > 1 ? kAlphabet[(chunk >> 6) & 63] : '=';
    out += n > 2 ? kAlphabet[chunk & 63] : '=';
  }
  return out;
}

}  // namespace

void addJsonFlag(CLI::App& command, bool* json) {
  command.add_flag("--json", *json, "Print the result as JSON");
}

Json toJson(const Value& value) {
  switch (value.type()) {
    case Value::Type::Null:
      return nullptr;
    case Value::Type::Bool:
      return *value.asBool();
    case Value::Type::Integer:
      return *value.asInteger();
    case Value::Type::Real:
      return *value.asReal();
    case Value::Type::String:
      return *value.asString();
    case Value::Type::Date:
      return isoDate(*value.asDate());
    case Value::Type::Data:
      return base64(*value.asData());
    case Value::Type::Array: {
      Json array = Json::array();
      for (const Value& item : *value.asArray()) array.push_back(toJson(item));
      return array;
    }
    case Value::Type::Dict: {
      Json object = Json::object();
      for (const auto& [key, item] : *value.asDict()) object[key] = toJson(item);
      return object;
    }
  }
  return nullptr;
}

void printJson(std::ostream& out, const Json& document) {
  out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace orval::cli
