// Publishing server lists into a printer description: the writing side of
// the server list channel, for preparing a queue's printer description (and
// the bundle's own) and for tests.
//
// Each list is serialized as a property list, deflated with zlib and split
// into chunk attributes `*NAME0000: "<Base64>"`, one line each, short enough
// for the 255-character line limit of printer descriptions. Publishing a list
// replaces every earlier chunk of the same name and leaves the rest of the
// text as it was. The result is read back with libcups before it is handed
// out, so a published description always opens and yields the lists given.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panel/server_list_channel.h"
#include "platform/foundation/value.h"

namespace orval {

enum class ServerListFormat { Binary, Xml };

struct ServerListPublishOptions {
  ServerListFormat format = ServerListFormat::Binary;
  // Decoded bytes per chunk, 1 to 159 (fewer where a long name leaves less room on the line).
  std::size_t chunkBytes = kServerListChunkBytes;
};

// One chunk attribute of a list: its name ("FeederInfoList0000") and its Base64 value.
struct ServerListChunk {
  std::string attribute;
  std::string value;
};

// The chunk attributes of one list, in order; nullopt (with the reason) as serverListAttributes.
std::optional<std::vector<ServerListChunk>> serverListChunks(std::string_view name, const Value& list,
                                                             const ServerListPublishOptions& options,
                                                             std::string* error = nullptr);

// The chunk attribute lines of one list, each ending in lineEnding; nullopt (with the reason) when
// the name is not a keyword of at most 36 characters, the value has no property-list form, or
// it needs more than 65536 chunks.
std::optional<std::string> serverListAttributes(std::string_view name, const Value& list,
                                                const ServerListPublishOptions& options,
                                                std::string_view lineEnding = "\n",
                                                std::string* error = nullptr);

// ppdText with every list of lists (name -> property list) published in it; nullopt (with the
// reason) when a list cannot be published or the result does not open as a printer description.
std::optional<std::string> publishServerLists(std::string_view ppdText, const Dict& lists,
                                              const ServerListPublishOptions& options = {},
                                              std::string* error = nullptr);

// Reads the printer description source, publishes lists into it and writes the result to
// destination atomically. The source is never written: a destination that is the source is
// refused. On failure destination is untouched.
bool publishServerListsToFile(const std::filesystem::path& source,
                              const std::filesystem::path& destination, const Dict& lists,
                              const ServerListPublishOptions& options = {},
                              std::string* error = nullptr);

}  // namespace orval
