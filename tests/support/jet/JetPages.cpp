#include "tests/support/jet/JetPages.h"

namespace {

constexpr quint8 DataPage = 0x01;
constexpr quint8 UsageBitmapPage = 0x05;
// Pages must be addressable in the 24 bits a row address gives them.
constexpr quint32 PageLimit = 1u << 24;
constexpr int MaxRowsPerPage = 255;
constexpr quint64 Jet3FileLimit = 1ull << 30;
constexpr quint64 Jet4FileLimit = 1ull << 31;

void SetBit(QByteArray& bytes, qsizetype start, quint32 bit) {
    bytes[start + bit / 8] =
        static_cast<char>(static_cast<quint8>(bytes[start + bit / 8]) | (1u << (bit % 8)));
}

} // namespace

const TJetLayout& TJetLayout::Of(TJetFormat format) {
    static const TJetLayout jet3{TJetFormat::Jet3, 2048, 8, 43, 128};
    static const TJetLayout jet4{TJetFormat::Jet4, 4096, 12, 63, 64};
    return format == TJetFormat::Jet4 ? jet4 : jet3;
}

quint32 TJetPageFile::Allocate(quint32 count) {
    const quint64 limit = layout_.Jet4() ? Jet4FileLimit : Jet3FileLimit;
    const quint64 pages = quint64(count_) + count;
    if (pages >= PageLimit || pages * quint64(layout_.pageSize) > limit) {
        throw TJetWriteError{
            QStringLiteral("数据超过了 Jet 文件的大小上限（%1 GB）。").arg(limit >> 30)};
    }
    const quint32 first = count_;
    count_ += count;
    return first;
}

void TJetPageFile::Write(quint32 page, const QByteArray& content) {
    Q_ASSERT(content.size() == layout_.pageSize && page < count_);
    if (!file_.seek(qint64(page) * layout_.pageSize) || file_.write(content) != content.size()) {
        throw TJetWriteError{
            QStringLiteral("写入文件“%1”失败：%2").arg(file_.fileName(), file_.errorString())};
    }
}

QByteArray TJetPageFile::Blank(quint8 type) const {
    QByteArray page(layout_.pageSize, '\0');
    PutU8(page, 0, type);
    PutU8(page, 1, 0x01);
    return page;
}

void TRowPacker::Start() {
    const quint32 number = firstPage_ != 0 ? firstPage_ : file_.Allocate();
    firstPage_ = 0;
    pages_.push_back(number);
    page_ = file_.Blank(DataPage);
    PutU32(page_, 4, owner_);
    rows_ = 0;
    top_ = file_.Layout().pageSize;
}

quint32 TRowPacker::Add(const QByteArray& row) {
    const TJetLayout& layout = file_.Layout();
    Q_ASSERT(row.size() <= layout.MaxRowSize());
    const auto fits = [&] {
        return rows_ < MaxRowsPerPage &&
               top_ - row.size() >= layout.DataHeaderSize() + 2 * (rows_ + 1);
    };
    if (page_.isEmpty() || !fits()) {
        Finish();
        Start();
    }
    top_ -= static_cast<int>(row.size());
    page_.replace(top_, row.size(), row);
    PutU16(page_, layout.DataHeaderSize() + 2 * rows_, static_cast<quint16>(top_));
    ++rows_;
    PutU16(page_, layout.rowCountOffset, static_cast<quint16>(rows_));
    PutU16(page_, 2, static_cast<quint16>(top_ - layout.DataHeaderSize() - 2 * rows_));
    return PageRow(pages_.back(), rows_ - 1);
}

void TRowPacker::Finish() {
    if (!page_.isEmpty()) {
        file_.Write(pages_.back(), page_);
        page_.clear();
    }
}

QByteArray JetUsageMap(TJetPageFile& file, const std::vector<quint32>& pages) {
    const TJetLayout& layout = file.Layout();
    QByteArray map(layout.usageMapSize, '\0');
    const auto inlineBits = quint32(layout.usageMapSize - 5) * 8;
    if (pages.empty() || pages.back() - pages.front() < inlineBits) {
        const quint32 start = pages.empty() ? 0 : pages.front();
        PutU32(map, 1, start);
        for (const quint32 page : pages) {
            SetBit(map, 5, page - start);
        }
        return map;
    }
    const auto bitsPerPage = quint32(layout.pageSize - 4) * 8;
    const auto entries = quint32(layout.usageMapSize - 1) / 4;
    if (pages.back() / bitsPerPage >= entries) {
        throw TJetWriteError{QStringLiteral("一张表占用的页超出了页使用表能记下的范围。")};
    }
    PutU8(map, 0, 0x01);
    for (auto next = pages.begin(); next != pages.end();) {
        const quint32 entry = *next / bitsPerPage;
        const quint32 number = file.Allocate();
        QByteArray bitmap = file.Blank(UsageBitmapPage);
        for (; next != pages.end() && *next / bitsPerPage == entry; ++next) {
            SetBit(bitmap, 4, *next - entry * bitsPerPage);
        }
        file.Write(number, bitmap);
        PutU32(map, 1 + 4 * entry, number);
    }
    return map;
}

QByteArray JetGlobalUsageMap(TJetPageFile& file) {
    const TJetLayout& layout = file.Layout();
    const quint32 count = file.PageCount();
    const auto inlineBits = quint32(layout.usageMapSize - 5) * 8;
    const auto bitsPerPage = quint32(layout.pageSize - 4) * 8;
    // A type 1 map adds one bitmap page per entry, and they are mapped too.
    quint32 own = 0;
    if (count > inlineBits) {
        while ((count + own + bitsPerPage - 1) / bitsPerPage > own) {
            own = (count + own + bitsPerPage - 1) / bitsPerPage;
        }
    }
    std::vector<quint32> pages(count + own);
    for (quint32 page = 0; page < pages.size(); ++page) {
        pages[page] = page;
    }
    return JetUsageMap(file, pages);
}
