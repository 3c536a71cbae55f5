#include "storage/export/GridExport.h"
#include "storage/ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using GridExport::TExportKind;

namespace {

using Grid = QList<QStringList>;

const QStringList captions = {QStringLiteral("编号"), QStringLiteral("名称"),
                              QStringLiteral("金额")};

// Every kind of text a cell can hold: separators, quotes, markup, line breaks,
// a control character, an empty cell, and rows shorter and longer than the header.
const Grid rows = {
    {QStringLiteral("00001"), QStringLiteral("大话西游, 上"), QStringLiteral("12.50")},
    {QStringLiteral("00002"), QStringLiteral("他说\"好\""), QString()},
    {QStringLiteral("00003"), QStringLiteral("a<b>&c'd"), QStringLiteral("第一行\r\n第二行")},
    {QStringLiteral("00004"), QStringLiteral("bell\x01")},
    {QStringLiteral("00005"), QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("extra")},
};

// The rows as every writer is to show them: as many cells as captions.
Grid Expected() {
    Grid grid;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (qsizetype i = 0; i < captions.size(); ++i) {
            cells.append(row.value(i));
        }
        grid.append(cells);
    }
    return grid;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The text of every element named `cell`, grouped by the element named `row`;
// an empty <br/> inside a cell reads as a line break. Fails on XML that is not
// well-formed.
Grid ReadMarkup(const QByteArray& bytes, const QString& row, const QString& cell) {
    QXmlStreamReader xml(bytes);
    Grid grid;
    QString text;
    bool inCell = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == row) {
            grid.append(QStringList());
        } else if (xml.isStartElement() && xml.name() == cell) {
            inCell = true;
            text.clear();
        } else if (xml.isStartElement() && xml.name() == QStringLiteral("br")) {
            text += u'\n';
        } else if (xml.isCharacters() && inCell) {
            text += xml.text();
        } else if (xml.isEndElement() && xml.name() == cell) {
            inCell = false;
            grid.last().append(text);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return grid;
}

QByteArray Unzip(const QString& path, const QString& member) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, member});
    EXPECT_TRUE(unzip.waitForFinished(10000));
    EXPECT_EQ(unzip.exitCode(), 0) << member.toStdString();
    return unzip.readAllStandardOutput();
}

// A workbook string with its _xHHHH_ escapes of control characters decoded.
QString Unescaped(QString text) {
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-F]{4})_"));
    QRegularExpressionMatch m;
    while ((m = escape.match(text)).hasMatch()) {
        text.replace(m.capturedStart(), m.capturedLength(),
                     QChar(m.captured(1).toUShort(nullptr, 16)));
    }
    return text;
}

// The sheet of a workbook as text: shared strings looked up, cells placed by
// their reference (A1, C2).
Grid ReadWorkbook(const QString& path) {
    const QStringList strings = [&] {
        QStringList list;
        for (const QStringList& item :
             ReadMarkup(Unzip(path, QStringLiteral("xl/sharedStrings.xml")), QStringLiteral("si"),
                        QStringLiteral("t"))) {
            list.append(Unescaped(item.join(QString())));
        }
        return list;
    }();
    QXmlStreamReader xml(Unzip(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    Grid grid;
    QString reference;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("c")) {
            reference = xml.attributes().value(QStringLiteral("r")).toString();
            EXPECT_EQ(xml.attributes().value(QStringLiteral("t")), QStringLiteral("s"));
        } else if (xml.isStartElement() && xml.name() == QStringLiteral("v")) {
            const int column = reference[0].unicode() - 'A';
            const int row = reference.mid(1).toInt() - 1;
            while (grid.size() <= row) {
                grid.append(QStringList(captions.size(), QString()));
            }
            grid[row][column] = strings.value(xml.readElementText().toInt());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return grid;
}

class GridExportTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Entries() const { return QDir(dir_.path()).entryList(QDir::Files); }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(GridExportTest, TextIsCommaSeparatedUtf8WithQuotedFields) {
    ASSERT_TRUE(GridExport::Write(TExportKind::Text, Path("a.txt"), captions, rows, nullptr));
    const QByteArray expected = "\xEF\xBB\xBF"
                                "编号,名称,金额\r\n"
                                "00001,\"大话西游, 上\",12.50\r\n"
                                "00002,\"他说\"\"好\"\"\",\r\n"
                                "00003,a<b>&c'd,\"第一行\r\n第二行\"\r\n"
                                "00004,bell\x01,\r\n"
                                "00005,x,1\r\n";
    EXPECT_EQ(ReadAll(Path("a.txt")), expected);
}

TEST_F(GridExportTest, XmlIsWellFormedAndHoldsEveryCell) {
    ASSERT_TRUE(GridExport::Write(TExportKind::Xml, Path("a.xml"), captions, rows, nullptr));
    const QByteArray bytes = ReadAll(Path("a.xml"));
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_EQ(ReadMarkup(bytes, QStringLiteral("Columns"), QStringLiteral("Column")),
              Grid{captions});
    Grid expected = Expected();
    expected[3][1] = QStringLiteral("bell\uFFFD"); // XML cannot hold U+0001 at all
    EXPECT_EQ(ReadMarkup(bytes, QStringLiteral("Row"), QStringLiteral("Cell")), expected);
}

TEST_F(GridExportTest, HtmlIsAnEscapedUtf8Table) {
    ASSERT_TRUE(GridExport::Write(TExportKind::Html, Path("会员.htm"), captions, rows, nullptr));
    const QByteArray bytes = ReadAll(Path("会员.htm"));
    EXPECT_TRUE(bytes.contains("<meta charset=\"utf-8\"/>"));
    EXPECT_TRUE(bytes.contains("<title>会员</title>"));
    EXPECT_TRUE(bytes.contains("<td>a&lt;b&gt;&amp;c&apos;d</td>"));
    const Grid table = ReadMarkup(bytes, QStringLiteral("tr"), QStringLiteral("th"));
    EXPECT_EQ(table.first(), captions);
    Grid expected = Expected();
    expected[2][2] = QStringLiteral("第一行\n第二行");
    expected[3][1] = QStringLiteral("bell\uFFFD");
    const Grid cells = ReadMarkup(bytes, QStringLiteral("tr"), QStringLiteral("td"));
    EXPECT_EQ(cells.mid(1), expected);
}

TEST_F(GridExportTest, ExcelIsARealWorkbookWithEveryCellAsText) {
    ASSERT_TRUE(GridExport::Write(TExportKind::Excel, Path("a.xlsx"), captions, rows, nullptr));
    EXPECT_TRUE(ReadAll(Path("a.xlsx")).startsWith("PK\x03\x04"));
    Grid expected = Expected();
    expected.prepend(captions);
    EXPECT_EQ(ReadWorkbook(Path("a.xlsx")), expected);
    EXPECT_EQ(Entries(), QStringList{"a.xlsx"});
}

TEST_F(GridExportTest, AnEmptyGridStillGetsItsHeader) {
    for (const TExportKind kind :
         {TExportKind::Excel, TExportKind::Text, TExportKind::Html, TExportKind::Xml}) {
        const QString path = Path(QStringLiteral("empty%1").arg(int(kind)));
        ASSERT_TRUE(GridExport::Write(kind, path, captions, {}, nullptr)) << int(kind);
        EXPECT_TRUE(QString::fromUtf8(kind == TExportKind::Excel
                                          ? Unzip(path, QStringLiteral("xl/sharedStrings.xml"))
                                          : ReadAll(path))
                        .contains(QStringLiteral("金额")))
            << int(kind);
    }
}

TEST_F(GridExportTest, AMissingDirectoryIsReportedAndNothingIsWritten) {
    const QString path = Path(QStringLiteral("gone/a.txt"));
    QString error;
    EXPECT_FALSE(GridExport::Write(TExportKind::Text, path, captions, rows, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法在该位置创建文件"))) << error.toStdString();

    TScriptedPrompter prompter;
    TPrompterScope scope(prompter);
    EXPECT_FALSE(GridExport::Export(TExportKind::Xml, path, captions, rows));
    ASSERT_EQ(prompter.Texts(TScriptedPrompter::Kind::Error).size(), 1);
    EXPECT_TRUE(prompter.Messages().first().text.startsWith(
        QStringLiteral("当前显示数据未能导出到“%1”：无法在该位置创建文件").arg(path)));
    EXPECT_TRUE(Entries().isEmpty());
}

TEST_F(GridExportTest, AFullDiskLeavesTheOldFileAsItWas) {
    // A file-size limit makes every write past it fail as on a full disk. (The
    // workbook library ignores such failures in its own temporary files, so the
    // Excel writer is guarded by a free-space check instead.)
    Grid many;
    for (int i = 0; i < 20000; ++i) {
        many.append({QString::number(i), QStringLiteral("一部很长的片名 %1").arg(i),
                     QStringLiteral("%1.50").arg(i)});
    }
    for (const TExportKind kind : {TExportKind::Text, TExportKind::Html, TExportKind::Xml}) {
        const QString path = Path(QStringLiteral("old%1").arg(int(kind)));
        WriteBytes(path, "old contents");
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 16 * 1024;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool written = GridExport::Write(kind, path, captions, many, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        EXPECT_FALSE(written) << int(kind);
        EXPECT_FALSE(error.isEmpty()) << int(kind);
        EXPECT_EQ(ReadAll(path), QByteArray("old contents")) << int(kind);
    }
    EXPECT_EQ(Entries().size(), 3); // no temporary file left behind
}

TEST_F(GridExportTest, MoreRowsThanASheetHoldsAreRefusedBeforeWriting) {
    WriteBytes(Path("big.xlsx"), "old contents");
    QString error;
    EXPECT_FALSE(GridExport::Write(TExportKind::Excel, Path("big.xlsx"), captions,
                                   Grid(1048576, QStringList()), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("1048575"))) << error.toStdString();
    EXPECT_EQ(ReadAll(Path("big.xlsx")), QByteArray("old contents"));
    EXPECT_EQ(Entries(), QStringList{"big.xlsx"});
}

TEST(GridExportDialog, FiltersKindsAndNames) {
    EXPECT_EQ(GridExport::DialogTitle(), QStringLiteral("当前显示数据导出到..."));
    EXPECT_TRUE(GridExport::Filters().startsWith(QStringLiteral("Excel 文件 (*.xlsx)|*.XLSX|")));
    EXPECT_EQ(GridExport::KindOfFilter(1), TExportKind::Excel);
    EXPECT_EQ(GridExport::KindOfFilter(4), TExportKind::Xml);
    EXPECT_FALSE(GridExport::KindOfFilter(0).has_value());
    EXPECT_FALSE(GridExport::KindOfFilter(5).has_value());
    EXPECT_EQ(GridExport::WithExtension(QStringLiteral("/d/会员"), TExportKind::Html),
              QStringLiteral("/d/会员.htm"));
    EXPECT_EQ(GridExport::WithExtension(QStringLiteral("/d/a.csv"), TExportKind::Text),
              QStringLiteral("/d/a.csv"));
    EXPECT_EQ(GridExport::ProposedFileName(QStringLiteral("/shop/data/main.mdb"),
                                           QStringLiteral("会员列表")),
              QStringLiteral("/shop/data/会员列表"));
}
