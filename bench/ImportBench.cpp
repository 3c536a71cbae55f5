#include "bench/ImportBench.h"

#include "bench/Measurement.h"
#include "storage/ScriptedPrompter.h"
#include "storage/dao/Errors.h"
#include "storage/import/JetImport.h"
#include "tests/support/jet/JetWriter.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

namespace ImportBench {

namespace {

using Measurement::Print;

constexpr int ImportRuns = 2;

// The Jet 4 copy of the ledger, written when missing or older than the ledger.
QString JetCopy(const QString& ledger) {
    const QString jet = ledger + QStringLiteral(".jet4");
    const QFileInfo copy(jet);
    if (copy.exists() && copy.lastModified() >= QFileInfo(ledger).lastModified()) {
        return jet;
    }
    QFile::remove(jet);
    QElapsedTimer timer;
    timer.start();
    const QString error = WriteJetLedger(ledger, jet, TJetFormat::Jet4);
    if (!error.isEmpty()) {
        Print(QStringLiteral("import: the Jet copy could not be written: ") + error);
        return {};
    }
    Print(QStringLiteral("import: Jet 4 copy written in %1 s (%2 MB), kept as %3")
              .arg(double(timer.elapsed()) / 1000, 0, 'f', 1)
              .arg(double(QFileInfo(jet).size()) / (1 << 20), 0, 'f', 0)
              .arg(jet));
    return jet;
}

} // namespace

void Run(const QString& ledger) {
    const QString jet = JetCopy(ledger);
    if (jet.isEmpty()) {
        return;
    }
    TScriptedPrompter prompter;
    const TPrompterScope scope(prompter);
    for (int run = 0; run < ImportRuns; ++run) {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("imported.mdb"));
        JetImport::TImportProgress progress;
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = Measurement::CpuMs();
        try {
            const TStored<JetImport::TImported> imported = JetImport::Import(jet, target, progress);
            const double seconds = double(timer.elapsed()) / 1000;
            if (!imported.Ok()) {
                Print(QStringLiteral("import refused: ") + imported.Refusal().message);
                return;
            }
            qint64 rows = 0;
            qint64 rentalLines = 0;
            for (const JetImport::TTableRows& table : imported.Value().tables) {
                rows += table.rows;
                if (table.table == QLatin1String("TbRTransaction")) {
                    rentalLines = table.rows;
                }
            }
            Print(QStringLiteral("import of the Jet 4 ledger (%1 rows, %2 rental lines): %3 s, "
                                 "cpu %4 s, %5 rows/s, peak %6 MB, ledger %7 MB")
                      .arg(rows)
                      .arg(rentalLines)
                      .arg(seconds, 0, 'f', 1)
                      .arg((Measurement::CpuMs() - cpuBefore) / 1000, 0, 'f', 1)
                      .arg(qint64(double(rows) / seconds))
                      .arg(Measurement::StatusMb("VmHWM"), 0, 'f', 0)
                      .arg(double(QFileInfo(target).size()) / (1 << 20), 0, 'f', 0));
        } catch (const EVintorError& e) {
            Print(QStringLiteral("import failed: ") + e.Message());
            return;
        }
    }
}

} // namespace ImportBench
