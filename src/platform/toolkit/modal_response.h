// The answers of modal runs and alerts.
#pragma once

namespace orval::tk {

namespace ModalResponse {
// A dialog confirmed (the system's dialogs end with 1 for OK).
inline constexpr int OK = 1;
// A dialog cancelled (0).
inline constexpr int Cancel = 0;
// stopModal without a code.
inline constexpr int Stop = -1000;
// abortModal, or a window closed during its modal run.
inline constexpr int Abort = -1001;
// runModalSession while the session goes on.
inline constexpr int Continue = -1002;
}  // namespace ModalResponse

// An alert's answer: the first button 1000, the second 1001, the third 1002, ...
namespace AlertReturn {
inline constexpr int FirstButton = 1000;
inline constexpr int SecondButton = 1001;
inline constexpr int ThirdButton = 1002;
}  // namespace AlertReturn

}  // namespace orval::tk
