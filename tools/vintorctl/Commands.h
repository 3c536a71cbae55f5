#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The commands of vintorctl. Each takes its arguments (after the command word)
// and returns the exit code: 0 done, 1 refused or failed, 2 wrong arguments or
// a ledger that cannot be opened.
int RunCreate(const QStringList& args, QTextStream& out, QTextStream& err);
int RunExample(const QStringList& args, QTextStream& out, QTextStream& err);
int RunSql(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err);
int RunDesk(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err);
int RunPinyin(const QStringList& args, QTextStream& in, QTextStream& out);
int RunReceiptTest(const QStringList& args, QTextStream& out, QTextStream& err);
int RunLedgers(const QStringList& args, QTextStream& out, QTextStream& err);
int RunBackup(const QStringList& args, QTextStream& out, QTextStream& err);
int RunRestore(const QStringList& args, QTextStream& out, QTextStream& err);
int RunCompact(const QStringList& args, QTextStream& out, QTextStream& err);
int RunUpgrade(const QStringList& args, QTextStream& out, QTextStream& err);
int RunReport(const QStringList& args, QTextStream& out, QTextStream& err);
int RunBalances(const QStringList& args, QTextStream& out, QTextStream& err);
int RunImportJet(const QStringList& args, QTextStream& out, QTextStream& err);

// Each command's usage, kept beside the command: a first line
// "用法: vintorctl <command> <arguments>", then what it does and its options.
// Printed by "vintorctl <command> --help" and when the arguments are wrong.
QString CreateUsage();
QString ExampleUsage();
QString SqlUsage();
QString DeskUsage();
QString PinyinUsage();
QString ReceiptTestUsage();
QString LedgersUsage();
QString BackupUsage();
QString RestoreUsage();
QString CompactUsage();
QString UpgradeUsage();
QString ReportUsage();
QString BalancesUsage();
QString ImportJetUsage();
