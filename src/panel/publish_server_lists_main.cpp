// orval-publish-server-lists: publishes server lists, kept as property-list
// files, into a copy of a printer description, as a print queue does. Each
// file's name without its extension is the list's name
// ("FeederInfoList.plist" is the list "FeederInfoList").
//
//   orval-publish-server-lists --ppd IN.ppd --output OUT.ppd [--xml] LIST.plist...

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "panel/server_list_publisher.h"
#include "platform/foundation/plist.h"

int main(int argc, char** argv) {
  CLI::App app{"Publishes server lists into a copy of a printer description."};
  std::filesystem::path source;
  std::filesystem::path destination;
  std::vector<std::filesystem::path> listFiles;
  bool xml = false;
  std::size_t chunkBytes = orval::kServerListChunkBytes;
  app.add_option("--ppd", source, "the printer description to publish into (never written)")
      ->required()
      ->check(CLI::ExistingFile);
  app.add_option("--output", destination, "where the published printer description is written")->required();
  app.add_flag("--xml", xml, "serialize the lists as XML property lists (default: binary)");
  app.add_option("--chunk-bytes", chunkBytes, "decoded bytes per chunk attribute")
      ->check(CLI::Range(std::size_t{1}, orval::kServerListChunkBytes));
  app.add_option("lists", listFiles, "property-list files, one list each")->required()->check(CLI::ExistingFile);
  CLI11_PARSE(app, argc, argv);

  orval::Dict lists;
  for (const std::filesystem::path& file : listFiles) {
    std::string error;
    std::optional<orval::Value> list = orval::plistFromFile(file, &error);
    if (!list) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
      return 1;
    }
    lists.set(file.stem().string(), std::move(*list));
  }
  orval::ServerListPublishOptions options;
  options.format = xml ? orval::ServerListFormat::Xml : orval::ServerListFormat::Binary;
  options.chunkBytes = chunkBytes;
  std::string error;
  if (!orval::publishServerListsToFile(source, destination, lists, options, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
