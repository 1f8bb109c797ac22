#include "platform/print/ticket_file.h"

#include <system_error>

#include "platform/foundation/file_manager.h"
#include "platform/foundation/plist.h"

namespace orval {
namespace {

bool setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

// Checks the shape of a ticket and takes its parts; false with the reason.
bool takeTicket(const Value& root, JobTicket* ticket, std::string* reason) {
  const Dict* dict = root.asDict();
  if (!dict) return setError(reason, "its root is not a dictionary");
  const Value& settings = dict->get(TicketFile::kPrintSettingsKey);
  if (!settings.isDict())
    return setError(reason, "it has no \"" + std::string(TicketFile::kPrintSettingsKey) + "\" dictionary");
  const Value& marked = dict->get(TicketFile::kMarkedChoicesKey);
  if (!marked.isNull() && !marked.isDict())
    return setError(reason, "\"" + std::string(TicketFile::kMarkedChoicesKey) + "\" is not a dictionary");
  if (const Dict* choices = marked.asDict()) {
    for (const auto& [keyword, choice] : *choices)
      if (!choice.isString())
        return setError(reason, "the marked choice of " + keyword + " is not text");
    ticket->markedChoices = *choices;
  }
  ticket->printSettings = *settings.asDict();
  return true;
}

}  // namespace

TicketFile::Status TicketFile::read(const std::filesystem::path& path, JobTicket* ticket,
                                    std::string* error) {
  *ticket = JobTicket{};
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) return Status::Missing;
  auto damaged = [&](const std::string& reason) {
    setError(error, "ticket file " + path.string() + " is damaged: " + reason);
    return Status::Damaged;
  };
  if (ec) return damaged(ec.message());
  if (std::filesystem::is_directory(path, ec)) return damaged("it is a directory");
  // The file manager's sentence names the ticket and says why it cannot be read (a pipe, a device, its size).
  std::string readError;
  const std::optional<std::string> bytes =
      files::readFile(path, files::FileKind{"ticket", kMaxBytes}, &readError);
  if (!bytes) {
    if (readError.ends_with('.')) readError.pop_back();  // more may be said after it
    setError(error, readError);
    return Status::Damaged;
  }
  if (bytes->empty()) return Status::Loaded;  // holds nothing yet
  std::string plistError;
  const std::optional<Value> root = plistFromBytes(*bytes, &plistError);
  if (!root) return damaged(plistError.empty() ? "it is not a property list" : plistError);
  JobTicket read;
  std::string reason;
  if (!takeTicket(*root, &read, &reason)) return damaged(reason);
  *ticket = std::move(read);
  return Status::Loaded;
}

bool TicketFile::write(const std::filesystem::path& path, const JobTicket& ticket, bool replaceDamaged,
                       std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    return setError(error, "cannot save the ticket: " + path.string() + " is a directory");
  if (!replaceDamaged) {
    JobTicket existing;
    std::string reason;
    if (read(path, &existing, &reason) == Status::Damaged)
      return setError(error, reason + "; it was not replaced");
  }
  Dict root;
  root.set(kPrintSettingsKey, ticket.printSettings);
  root.set(kMarkedChoicesKey, ticket.markedChoices);
  std::string writeError;
  if (!writePlistFile(path, Value(std::move(root)), &writeError))
    return setError(error, "cannot save the ticket: " + writeError);
  return true;
}

}  // namespace orval
