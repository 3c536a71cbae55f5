#pragma once

#include <functional>

// The windows' door to an engine operation: an engine failure (EVintorError
// and its kin, with a Chinese message) is shown as an error box, and the
// window redraws from what the engine then holds, so nothing is lost.
namespace EngineCall {

// Runs the call; false when it failed and the failure was shown.
bool Run(const std::function<void()>& call);

} // namespace EngineCall
