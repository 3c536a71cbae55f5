#pragma once

#include <QStringList>
#include <QTextStream>

// The commands of vintorctl. Each takes its arguments (after the command word)
// and returns the exit code.
int RunCreate(const QStringList& args, QTextStream& out, QTextStream& err);
int RunExample(const QStringList& args, QTextStream& out, QTextStream& err);
int RunSql(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err);
