#include "platform/toolkit/run_loop.h"

#include <algorithm>

namespace orval::tk {

std::vector<RunLoopMode> RunLoop::commonModes() {
  return {RunLoopMode::Default, RunLoopMode::ModalPanel, RunLoopMode::EventTracking};
}

RunLoop::Token RunLoop::performOnNextTurn(Item item, std::vector<RunLoopMode> modes) {
  unsigned mask = 0;
  for (RunLoopMode m : modes) mask |= static_cast<unsigned>(m);
  if (mask == 0) mask = static_cast<unsigned>(RunLoopMode::Default);
  const Token token = next_++;
  queue_.push_back({token, mask, std::move(item)});
  return token;
}

bool RunLoop::cancel(Token token) {
  auto it = std::find_if(queue_.begin(), queue_.end(), [token](const Entry& e) { return e.token == token; });
  if (it == queue_.end()) return false;
  queue_.erase(it);
  return true;
}

int RunLoop::runPendingTurns(RunLoopMode mode) {
  const unsigned bit = static_cast<unsigned>(mode);
  // Only items queued before this turn run in it.
  std::vector<Token> due;
  for (const Entry& e : queue_)
    if (e.modes & bit) due.push_back(e.token);
  int ran = 0;
  for (Token token : due) {
    auto it = std::find_if(queue_.begin(), queue_.end(), [token](const Entry& e) { return e.token == token; });
    if (it == queue_.end()) continue;  // cancelled by an earlier item
    Item item = std::move(it->item);
    queue_.erase(it);
    ++ran;
    item();
  }
  return ran;
}

std::size_t RunLoop::pendingCount(RunLoopMode mode) const {
  const unsigned bit = static_cast<unsigned>(mode);
  return static_cast<std::size_t>(
      std::count_if(queue_.begin(), queue_.end(), [bit](const Entry& e) { return (e.modes & bit) != 0; }));
}

}  // namespace orval::tk
