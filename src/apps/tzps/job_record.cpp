#include "apps/tzps/job_record.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <tuple>

namespace orval::tzps {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

Json optionsJson(const Options& options) {
  Json object = Json::object();
  for (const auto& [name, value] : options) object[name] = value;
  return object;
}

bool readOptions(const nlohmann::json& json, const char* key, Options* out, std::string* error) {
  const auto found = json.find(key);
  if (found == json.end() || !found->is_object()) {
    if (error) *error = std::string("\"") + key + "\" is not an object";
    return false;
  }
  for (const auto& [name, value] : found->items()) {
    if (!value.is_string()) {
      if (error) *error = std::string("\"") + key + "\" holds a value that is not text (" + name + ")";
      return false;
    }
    out->emplace_back(name, value.get<std::string>());
  }
  return true;
}

}  // namespace

Json toJson(const JobRecord& record) {
  return Json{{"queue", record.queue},
              {"job", record.job},
              {"documentNumber", record.documentNumber},
              {"user", record.user},
              {"title", record.title},
              {"copies", record.copies},
              {"format", record.format},
              {"document", record.document},
              {"documentBytes", record.documentBytes},
              {"received", record.received},
              {"options", optionsJson(record.options)},
              {"privateEntries", optionsJson(record.privateEntries)}};
}

std::optional<JobRecord> recordFromJson(const nlohmann::json& json, std::string* error) {
  if (!json.is_object()) {
    if (error) *error = "it is not a JSON object";
    return std::nullopt;
  }
  JobRecord record;
  try {
    record.queue = json.at("queue").get<std::string>();
    record.job = json.at("job").get<int>();
    record.documentNumber = json.value("documentNumber", 1);
    record.user = json.at("user").get<std::string>();
    record.title = json.at("title").get<std::string>();
    record.copies = json.at("copies").get<int>();
    record.format = json.at("format").get<std::string>();
    record.document = json.at("document").get<std::string>();
    record.documentBytes = json.at("documentBytes").get<std::uintmax_t>();
    record.received = json.at("received").get<std::string>();
  } catch (const nlohmann::json::exception& e) {
    if (error) *error = e.what();
    return std::nullopt;
  }
  if (record.documentNumber < 1) {
    if (error) *error = "\"documentNumber\" is not a document's number";
    return std::nullopt;
  }
  if (!readOptions(json, "options", &record.options, error) ||
      !readOptions(json, "privateEntries", &record.privateEntries, error))
    return std::nullopt;
  return record;
}

std::optional<SpoolContents> readSpool(const fs::path& spool, std::string* error) {
  std::error_code ec;
  fs::directory_iterator entries(spool, ec);
  if (ec) {
    if (error) *error = "cannot read the spool folder " + spool.string() + ": " + ec.message();
    return std::nullopt;
  }
  SpoolContents contents;
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(".") || !entry.is_directory(ec)) continue;  // records being made, other files
    const fs::path file = entry.path() / kRecordFileName;
    std::ifstream in(file);
    const nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
    std::string reason = in ? "it is not JSON" : "it cannot be read";
    std::optional<JobRecord> record = json.is_discarded() ? std::nullopt : recordFromJson(json, &reason);
    if (!record) {
      contents.problems.push_back(file.string() + ": " + reason);
      continue;
    }
    record->folder = entry.path();
    contents.records.push_back(std::move(*record));
  }
  std::sort(contents.records.begin(), contents.records.end(), [](const JobRecord& a, const JobRecord& b) {
    return std::tie(a.job, a.documentNumber, a.folder) < std::tie(b.job, b.documentNumber, b.folder);
  });
  std::sort(contents.problems.begin(), contents.problems.end());
  return contents;
}

}  // namespace orval::tzps
