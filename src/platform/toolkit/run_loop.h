// RunLoop: the "next turn" queue of the user-interface thread.
//
// Work performed "after a delay of 0" is queued with the run loop modes in
// which it may run; whoever runs the loop (the host in the default mode, a
// modal run in the modal-panel mode) drains the items eligible in its mode.
// An item queued while the queue is being drained waits for the next turn.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace orval::tk {

enum class RunLoopMode : unsigned {
  Default = 1u << 0,
  ModalPanel = 1u << 1,
  EventTracking = 1u << 2,
};

class RunLoop {
 public:
  using Item = std::function<void()>;
  using Token = std::uint64_t;

  // The modes of the platform's "common modes".
  static std::vector<RunLoopMode> commonModes();

  // Queues item for the next turn in any of modes (the default mode when empty); answers a token.
  Token performOnNextTurn(Item item, std::vector<RunLoopMode> modes = {RunLoopMode::Default});
  // Drops a queued item; false when it already ran or was dropped.
  bool cancel(Token token);
  // Runs, in queue order, the items queued before this call that are
  // eligible in mode; answers how many ran. Other items stay queued.
  int runPendingTurns(RunLoopMode mode);
  // The number of items waiting (in any mode).
  std::size_t pendingCount() const { return queue_.size(); }
  // The number of items waiting that are eligible in mode.
  std::size_t pendingCount(RunLoopMode mode) const;

 private:
  struct Entry {
    Token token;
    unsigned modes;
    Item item;
  };
  std::vector<Entry> queue_;
  Token next_ = 1;
};

}  // namespace orval::tk
