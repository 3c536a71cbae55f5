#include "app/kit/EngineCall.h"

#include "storage/Prompter.h"
#include "storage/dao/Errors.h"

namespace EngineCall {

bool Run(const std::function<void()>& call) {
    try {
        call();
        return true;
    } catch (const EVintorError& error) {
        ShowError(error.Message());
        return false;
    }
}

} // namespace EngineCall
