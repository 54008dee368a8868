#include "BinaryStream.h"

#include "Errors.h"
#include "Strings.h"

#include <QtEndian>

namespace {

// Windows-1252 0x80..0x9F; 0 marks the five unassigned bytes, which map to
// the C1 controls of the same value as the platform's converter does.
constexpr char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint8_t ToAnsiChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return uint8_t(u);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == u || (kCp1252High[i] == 0 && u == 0x80 + i))
            return uint8_t(0x80 + i);
    return '?';
}

} // namespace

QByteArray ToAnsi(const QString &s)
{
    QByteArray out;
    out.reserve(s.size());
    for (QChar c : s)
        out.append(char(ToAnsiChar(c)));
    return out;
}

QString FromAnsi(const QByteArray &b)
{
    QString out;
    out.reserve(b.size());
    for (char ch : b) {
        const uint8_t v = uint8_t(ch);
        if (v >= 0x80 && v < 0xA0 && kCp1252High[v - 0x80] != 0)
            out.append(QChar(kCp1252High[v - 0x80]));
        else
            out.append(QChar(char16_t(v)));
    }
    return out;
}

EStreamError FileFormatError() { return EStreamError(GetText(553)); }

void TStreamWriter::writeWord(uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    m_data.append(b, 2);
}

void TStreamWriter::writeInt32(int32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    m_data.append(b, 4);
}

namespace {

QString DecodeShortString(const char *field)
{
    const int len = std::min<int>(uint8_t(field[0]), ShortStringMax);
    return FromAnsi(QByteArray(field + 1, len));
}

} // namespace

void TStreamWriter::writeShortString(const QString &s, const QByteArray &stored)
{
    if (stored.size() == ShortStringSize && DecodeShortString(stored.constData()) == s) {
        m_data.append(stored);
        return;
    }
    QByteArray a = ToAnsi(s.left(ShortStringMax));
    writeByte(uint8_t(a.size()));
    a.append(ShortStringMax - a.size(), '\0');
    m_data.append(a);
}

void TStreamWriter::writeAnsi(const QString &s) { m_data.append(ToAnsi(s)); }

void TStreamWriter::patchInt32(qsizetype pos, int32_t v)
{
    Q_ASSERT(pos >= 0 && pos + 4 <= m_data.size());
    qToLittleEndian(v, m_data.data() + pos);
}

void TStreamReader::need(qsizetype n) const
{
    if (n < 0 || n > remaining())
        throw FileFormatError();
}

void TStreamReader::requireItems(int64_t count, int64_t itemSize) const
{
    if (count < 0 || (itemSize > 0 && count > remaining() / itemSize))
        throw FileFormatError();
}

uint8_t TStreamReader::readByte()
{
    need(1);
    return uint8_t(m_data[m_pos++]);
}

uint16_t TStreamReader::readWord()
{
    need(2);
    const uint16_t v = qFromLittleEndian<uint16_t>(m_data.constData() + m_pos);
    m_pos += 2;
    return v;
}

int32_t TStreamReader::readInt32()
{
    need(4);
    const int32_t v = qFromLittleEndian<int32_t>(m_data.constData() + m_pos);
    m_pos += 4;
    return v;
}

QByteArray TStreamReader::readBytes(qsizetype n)
{
    need(n);
    QByteArray b = m_data.mid(m_pos, n);
    m_pos += n;
    return b;
}

void TStreamReader::skip(qsizetype n)
{
    need(n);
    m_pos += n;
}

QString TStreamReader::readShortString(QByteArray *stored)
{
    need(ShortStringSize);
    QString s = DecodeShortString(m_data.constData() + m_pos);
    if (stored)
        *stored = m_data.mid(m_pos, ShortStringSize);
    m_pos += ShortStringSize;
    return s;
}
