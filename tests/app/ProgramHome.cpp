#include "tests/app/ProgramHome.h"

#include "storage/ledger/ProgramPaths.h"

namespace {

// A variable's value, null when it is not set at all.
QByteArray Saved(const char* name) {
    return qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray();
}

void Restore(const char* name, const QByteArray& value) {
    if (value.isNull()) {
        qunsetenv(name);
    } else {
        qputenv(name, value);
    }
}

} // namespace

TProgramHome::TProgramHome() : oldHome_(Saved("VINTOR_HOME")), oldConfig_(Saved("VINTOR_CONFIG")) {
    qputenv("VINTOR_HOME", dir_.path().toUtf8());
    qputenv("VINTOR_CONFIG", ConfigFile().toUtf8());
}

TProgramHome::~TProgramHome() {
    Restore("VINTOR_HOME", oldHome_);
    Restore("VINTOR_CONFIG", oldConfig_);
}

QString TProgramHome::DataDirectory() const {
    return ProgramPaths::DataDirectory();
}
