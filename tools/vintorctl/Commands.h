#pragma once

#include <QStringList>
#include <QTextStream>

// The commands of vintorctl. Each takes its arguments (after the command word)
// and returns the exit code.
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
