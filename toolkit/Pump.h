/// \file
/// The one-step message pump of the GUI thread, and the bounded wait that
/// waiting loops use between two pump steps.
#pragma once

#include <chrono>

namespace toolkit {

/// Processes every event that is waiting (posted messages, socket and timer
/// notifications, input), then returns.
void ProcessMessages();

/// Waits until the next event arrives, but at most `limit`, then processes
/// what is waiting. Stands in for a blind sleep inside a polling loop: the
/// same bound, but the loop wakes as soon as there is something to see.
void WaitForMessages(std::chrono::milliseconds limit = std::chrono::milliseconds(2));

}  // namespace toolkit
