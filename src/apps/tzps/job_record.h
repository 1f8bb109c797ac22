// JobRecord: one job as the print server's receiving end (the tzps backend)
// stored it, and the spool folder that holds the records.
//
// Each record is a folder of the spool folder, named QUEUE-JOB (QUEUE-JOB-2,
// ... when a name is taken), holding "record.json" and one document as it
// arrived ("document.pdf", "document.ps", "document.bin"). A record appears
// whole or not at all: it is made in a hidden folder and then renamed. The
// record keeps every option the job carried, as cupsParseOptions read it; the
// system's private entries ("jp.co.quillant.print.PrintSettingsTicket.<Key>")
// are kept apart under their keys, unescaped (passwords stay in their encoded
// form, as they travel). A job of several documents makes one record for
// each, all with the job's id and options; "documentNumber" says which
// document of the job it holds (records written before it was kept lack it
// and hold the first).
//
// record.json:
//   {"queue", "job", "documentNumber", "user", "title", "copies", "format",
//    "document", "documentBytes", "received", "options": {...},
//    "privateEntries": {...}}
#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orval::tzps {

// The key prefix of the system's private entries.
inline constexpr std::string_view kPrivateEntryPrefix = "jp.co.quillant.print.PrintSettingsTicket.";
// The name of the record file in a record's folder.
inline constexpr std::string_view kRecordFileName = "record.json";

using Options = std::vector<std::pair<std::string, std::string>>;

struct JobRecord {
  std::string queue;
  int job = 0;
  int documentNumber = 1;    // which of the job's documents, from 1
  std::string user;
  std::string title;
  int copies = 1;
  std::string format;        // the document's MIME type
  std::string document;      // the document's file name in the record's folder
  std::uintmax_t documentBytes = 0;
  std::string received;      // when it was stored, ISO 8601 UTC
  Options options;           // every option but the private entries, in the order received
  Options privateEntries;    // key (without the prefix) -> unescaped value
  std::filesystem::path folder;  // where the record is (not stored in it)
};

// The record as JSON (without its folder).
nlohmann::ordered_json toJson(const JobRecord& record);
// The record in json; nullopt with the reason when it is not one.
std::optional<JobRecord> recordFromJson(const nlohmann::json& json, std::string* error = nullptr);

// What a spool folder holds: its records (by job, then document, then folder name) and the
// folders that are not readable records, each with the reason.
struct SpoolContents {
  std::vector<JobRecord> records;
  std::vector<std::string> problems;
};
// The records of spool; nullopt with the reason when the folder cannot be listed.
std::optional<SpoolContents> readSpool(const std::filesystem::path& spool, std::string* error = nullptr);

}  // namespace orval::tzps
