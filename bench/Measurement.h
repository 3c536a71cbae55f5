#pragma once

#include <QString>

#include <functional>

// Figures of a repeated operation, for the console: wall-clock time, and the
// processor time of this program, which stays honest on a busy machine.
namespace Measurement {

struct TFigure {
    double medianMs = 0;
    double p95Ms = 0;
    double cpuMedianMs = 0;
    int runs = 0;
};

// One line on standard output, flushed at once so a long run shows progress.
void Print(const QString& text);

// The processor time this program has used so far, in ms.
double CpuMs();

// A figure of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMb(const char* name);

// Runs `step(n)` for n = 0 … runs-1 after one untimed warm-up run with n = 0,
// timing each run on its own.
TFigure Time(int runs, const std::function<void(int)>& step);

// "name   median x ms   p95 y ms   cpu z ms   (n runs)".
QString Line(const QString& name, const TFigure& figure);

} // namespace Measurement
