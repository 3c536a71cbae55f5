#include "rental/TranscriptPort.h"
#include "rental/PrintObject.h"
#include "storage/records/Printer.h"
#include "tests/rental/ReceiptBytes.h"

#include <gtest/gtest.h>

using namespace ReceiptBytes;

namespace {

TEST(TranscriptPort, ShowsOneLinePerLineFeedWithControlBytesInHex) {
    QString text;
    {
        QTextStream out(&text);
        TPrinter printer;
        printer.OnOff = 1;
        TPrintObject print(printer);
        auto port = std::make_unique<TTranscriptPort>(out);
        TTranscriptPort& transcript = *port;
        print.SetPort(std::move(port));
        print.PrintLine(QStringLiteral("  影音小店"), true);
        print.PrintLine(QStringLiteral("折扣:0.90"));
        print.PrintLine(QString());
        print.Send(QStringLiteral("半"));
        print.Send(QStringLiteral("行\tA"));
        transcript.Flush();
        print.OpenDrawer();
    }
    EXPECT_EQ(text, QStringLiteral("PRINTER: <1B>!<10>  影音小店\n"
                                   "PRINTER: <1B>@折扣:0.90\n"
                                   "PRINTER: \n"
                                   "PRINTER: 半行<09>A\n"
                                   "PRINTER: <1B>p<00>2<C8>\n"));
}

TEST(TranscriptPort, BytesThatAreNoGbkCharacterAreShownInHex) {
    EXPECT_EQ(TTranscriptPort::Readable(Gbk(QStringLiteral("租")) + "\x80\xff" + "\xb5"),
              QStringLiteral("租<80><FF><B5>"));
    EXPECT_EQ(TTranscriptPort::Readable(QByteArray("\xb5\x7f", 2)), QStringLiteral("<B5>\x7f"));
}

} // namespace
