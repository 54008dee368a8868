#include "BinaryStream.h"

#include "Errors.h"
#include "Strings.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

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

char16_t FromAnsiChar(uint8_t v)
{
    return v >= 0x80 && v < 0xA0 && kCp1252High[v - 0x80] != 0 ? kCp1252High[v - 0x80] : char16_t(v);
}

// Encodes s into out, which has room for s.size() bytes.
void ToAnsiInto(QStringView s, char *out)
{
    for (QChar c : s)
        *out++ = char(ToAnsiChar(c));
}

// Whether the stored field reads as s, without building the string.
bool FieldHolds(const TShortStringField &field, QStringView s)
{
    const int len = std::min<int>(uint8_t(field[0]), ShortStringMax);
    if (s.size() != len)
        return false;
    for (int i = 0; i < len; ++i)
        if (s[i].unicode() != FromAnsiChar(uint8_t(field[size_t(1 + i)])))
            return false;
    return true;
}

QString FromAnsi(const char *b, qsizetype n)
{
    QString out(n, Qt::Uninitialized);
    char16_t *d = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < n; ++i)
        d[i] = FromAnsiChar(uint8_t(b[i]));
    return out;
}

} // namespace

QByteArray ToAnsi(const QString &s)
{
    QByteArray out(s.size(), Qt::Uninitialized);
    ToAnsiInto(s, out.data());
    return out;
}

QString FromAnsi(const QByteArray &b) { return FromAnsi(b.constData(), b.size()); }

EStreamError FileFormatError() { return EStreamError(GetText(553)); }

void TStreamWriter::expand(qsizetype n)
{
    // Doubling keeps a record-by-record write linear.
    m_data.resize(std::max(m_size + n, std::max<qsizetype>(2 * m_data.size(), 256)));
    m_buf = m_data.data();
}

void TStreamWriter::reserve(qsizetype n)
{
    if (m_data.size() - m_size < n)
        expand(n);
}

QByteArray TStreamWriter::take()
{
    m_data.truncate(m_size);
    m_buf = nullptr;
    m_size = 0;
    return std::move(m_data);
}

void TStreamWriter::writeRaw(const char *p, qsizetype n)
{
    if (n > 0)
        std::memcpy(claim(n), p, size_t(n));
}

void TStreamWriter::writeFill(int n, uint8_t v)
{
    if (n > 0)
        std::memset(claim(n), v, size_t(n));
}

void EncodeShortString(char *field, const QString &s, const TShortStringField *stored)
{
    if (stored && FieldHolds(*stored, s)) {
        std::memcpy(field, stored->data(), ShortStringSize);
        return;
    }
    const QStringView text = QStringView(s).left(ShortStringMax);
    field[0] = char(text.size());
    ToAnsiInto(text, field + 1);
    std::memset(field + 1 + text.size(), 0, size_t(ShortStringMax - text.size()));
}

QString DecodeShortString(const char *field, TShortStringField *stored)
{
    if (stored)
        std::memcpy(stored->data(), field, ShortStringSize);
    return FromAnsi(field + 1, std::min<int>(uint8_t(field[0]), ShortStringMax));
}

void TStreamWriter::writeShortString(const QString &s, const TShortStringField *stored)
{
    EncodeShortString(claim(ShortStringSize), s, stored);
}

void TStreamWriter::writeAnsi(const QString &s) { ToAnsiInto(s, claim(s.size())); }

void TStreamWriter::patchInt32(qsizetype pos, int32_t v)
{
    Q_ASSERT(pos >= 0 && pos + 4 <= m_size);
    qToLittleEndian(v, m_buf + pos);
}

void TStreamReader::requireItems(int64_t count, int64_t itemSize) const
{
    if (count < 0 || (itemSize > 0 && count > remaining() / itemSize))
        throw FileFormatError();
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

QString TStreamReader::readShortString(TShortStringField *stored)
{
    return DecodeShortString(consume(ShortStringSize), stored);
}
