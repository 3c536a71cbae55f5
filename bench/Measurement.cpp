#include "bench/Measurement.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace Measurement {

void Print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double StatusMb(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name)) {
            return line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toDouble() / 1024;
        }
    }
    return 0;
}

namespace {

// The value below which `share` of the sorted times lie.
double Quantile(std::vector<double>& times, double share) {
    std::sort(times.begin(), times.end());
    const auto index = size_t(std::ceil(share * double(times.size())));
    return times[std::clamp<size_t>(index, 1, times.size()) - 1];
}

} // namespace

TFigure Time(int runs, const std::function<void(int)>& step) {
    step(0);
    std::vector<double> wall;
    std::vector<double> cpu;
    QElapsedTimer timer;
    for (int n = 0; n < runs; ++n) {
        const double cpuStart = CpuMs();
        timer.start();
        step(n);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(CpuMs() - cpuStart);
    }
    return {Quantile(wall, 0.5), Quantile(wall, 0.95), Quantile(cpu, 0.5), runs};
}

QString Line(const QString& name, const TFigure& figure) {
    return QStringLiteral("%1 median %2 ms   p95 %3 ms   cpu %4 ms   (%5 runs)")
        .arg(name, -52)
        .arg(figure.medianMs, 9, 'f', 3)
        .arg(figure.p95Ms, 9, 'f', 3)
        .arg(figure.cpuMedianMs, 9, 'f', 3)
        .arg(figure.runs);
}

} // namespace Measurement
