#pragma once

#include <QtGlobal>

// A small, fast random source (SplitMix64) whose sequence depends on the seed
// only, so a generated ledger is the same on every machine and build.
class TSeededRandom {
public:
    explicit TSeededRandom(quint64 seed) : state_(seed) {}

    quint64 Next() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A whole number from 0 to bound - 1 (bound > 0).
    qint64 Below(qint64 bound) { return qint64(Next() % quint64(bound)); }
    // A whole number from low to high, both included.
    qint64 Between(qint64 low, qint64 high) { return low + Below(high - low + 1); }
    // A number in [0, 1).
    double Unit() { return double(Next() >> 11) * 0x1.0p-53; }
    bool Chance(double probability) { return Unit() < probability; }

private:
    quint64 state_;
};
