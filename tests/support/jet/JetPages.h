#pragma once

#include "tests/support/jet/JetLayout.h"

#include <QByteArray>
#include <QFile>

#include <vector>

// The file as numbered pages. Pages are handed out in order and each is
// written once its content is complete, so a file of any size is written
// with one page in memory per open table.
class TJetPageFile {
public:
    TJetPageFile(QFile& file, const TJetLayout& layout) : file_(file), layout_(layout) {}

    const TJetLayout& Layout() const { return layout_; }
    quint32 PageCount() const { return count_; }
    // The first of `count` new consecutive pages.
    quint32 Allocate(quint32 count = 1);
    void Write(quint32 page, const QByteArray& content);
    // A page of `type` with nothing in it but its type and the 01 byte after it.
    QByteArray Blank(quint8 type) const;

private:
    QFile& file_;
    const TJetLayout& layout_;
    quint32 count_ = 0;
};

// Rows of one owner packed into pages back to front, as Jet keeps them: a
// table's data pages (the owner is its definition page) or long-value pages.
class TRowPacker {
public:
    // The owner field of long-value pages: the bytes "LVAL".
    static constexpr quint32 LongValues = 0x4c41564c;

    // With `firstPage` the first page is that one instead of a new one.
    TRowPacker(TJetPageFile& file, quint32 owner, quint32 firstPage = 0)
        : file_(file), owner_(owner), firstPage_(firstPage) {}

    // Stores the row (at most the layout's MaxRowSize bytes) and returns its
    // address (PageRow).
    quint32 Add(const QByteArray& row);
    // Writes the page being filled.
    void Finish();
    // Every page used, in order.
    const std::vector<quint32>& Pages() const { return pages_; }

private:
    void Start();

    TJetPageFile& file_;
    quint32 owner_;
    quint32 firstPage_;
    std::vector<quint32> pages_;
    QByteArray page_;
    int rows_ = 0;
    int top_ = 0; // where the last row stored begins
};

// A usage map row for `pages` (ascending): type 0, a bitmap from its first
// page, when it fits in the row; else type 1, a list of bitmap pages, which
// are written here.
QByteArray JetUsageMap(TJetPageFile& file, const std::vector<quint32>& pages);
// The map of every page of the file, its own bitmap pages included.
QByteArray JetGlobalUsageMap(TJetPageFile& file);
