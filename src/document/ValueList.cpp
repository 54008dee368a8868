#include "ValueList.h"

#include "BinaryStream.h"
#include "Strings.h"
#include "TextLayout.h"

#include <QFile>
#include <QStringDecoder>

namespace {

ELocalizedError ReadError() { return ELocalizedError(GetText(1051)); }

QString Decode(const QByteArray &data)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(data);
    if (!utf8.hasError())
        return s.startsWith(QChar(0xFEFF)) ? s.mid(1) : s;
    return FromAnsi(data);
}

} // namespace

QStringList ParseValueList(const QByteArray &data)
{
    if (data.contains('\0'))
        throw ReadError();
    const QString text = Decode(data);
    QStringList out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        out.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        out.append(text.mid(start));
    CheckRecordText(JoinParagraphs(out));
    return out;
}

QStringList ReadValueListFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ReadError();
    // Far beyond what a record holds; refuse before reading it all.
    if (f.size() > 4 * MaxRecordTextBytes)
        throw ELocalizedError(GetText(1052).arg(MaxRecordTextBytes));
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ReadError();
    return ParseValueList(data);
}
