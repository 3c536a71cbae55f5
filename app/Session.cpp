#include "app/Session.h"

#include "storage/dao/Errors.h"

namespace {

TSession* current = nullptr;

} // namespace

TSession::TSession() : previous_(current) {
    current = this;
}

TSession::~TSession() {
    current = previous_;
}

TSession& TSession::Current() {
    if (!current) {
        throw EVintorError(QStringLiteral("程序尚未启动。"));
    }
    return *current;
}
