#pragma once

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

// A grid as an XML document in UTF-8:
//   <Grid><Columns><Column>caption</Column>...</Columns>
//         <Rows><Row><Cell>text</Cell>...</Row>...</Rows></Grid>
namespace XmlExport {

// Text made safe for XML content and attribute values: & < > " ' and CR
// escaped (so line breaks come back as they were written), and
// the characters XML cannot hold at all (control characters other than tab
// and line breaks, lone surrogates) replaced by U+FFFD.
QString EscapedText(const QString& text);

// False when the device refused a write.
bool Write(QIODevice& out, const QStringList& captions, const QList<QStringList>& rows);

} // namespace XmlExport
