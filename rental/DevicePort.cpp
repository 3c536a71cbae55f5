#include "rental/DevicePort.h"

#include "storage/Settings.h"
#include "storage/records/Printer.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <termios.h>
#include <unistd.h>

namespace {

std::optional<speed_t> LineSpeed(const QString& text) {
    switch (text.trimmed().toInt()) {
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return std::nullopt;
    }
}

// Raw 8N1, ignoring the modem lines; the speed only when it is one a serial
// line knows (otherwise the line keeps its speed).
bool SetUpSerialLine(int fd, const QString& speedText) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return false;
    }
    cfmakeraw(&tio);
    tio.c_cflag &= ~tcflag_t(CSTOPB);
    tio.c_cflag |= CLOCAL | CREAD;
    if (const auto speed = LineSpeed(speedText)) {
        cfsetispeed(&tio, *speed);
        cfsetospeed(&tio, *speed);
    }
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0) {
            errno = EIO;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// The port the configuration chooses: the parallel one unless Port is 0.
QString PortName(const TPrinter& printer) {
    return printer.Port != 0 ? printer.Lpt : printer.Com;
}

QString ErrnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString TDevicePort::DeviceOf(const TPrinter& printer) {
    return TSettings().PortDevice(PortName(printer));
}

bool TDevicePort::Fail(const QString& device, const QString& reason) {
    lastError_ = device + QStringLiteral(": ") + reason;
    return false;
}

bool TDevicePort::Write(const QByteArray& bytes) {
    const QString device = DeviceOf(printer_);
    if (device.isEmpty()) {
        return Fail(PortName(printer_), QStringLiteral("未知的端口名称"));
    }
    // A missing device is an error, never a new file in /dev that would swallow
    // the receipts; a file named elsewhere stands in for the printer.
    int flags = O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    if (!device.startsWith(QLatin1String("/dev/"))) {
        flags |= O_CREAT;
    }
    // Opened without waiting for a modem carrier; writes then block as usual.
    const int fd = ::open(QFile::encodeName(device).constData(), flags, 0666);
    if (fd < 0) {
        return Fail(device, ErrnoText());
    }
    bool ok = true;
    if (isatty(fd) && !SetUpSerialLine(fd, printer_.Speed)) {
        ok = Fail(device, ErrnoText());
    }
    if (ok && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ok = Fail(device, ErrnoText());
    }
    if (ok && !WriteAll(fd, bytes)) {
        ok = Fail(device, ErrnoText());
    }
    if (::close(fd) != 0 && ok) {
        ok = Fail(device, ErrnoText());
    }
    return ok;
}
