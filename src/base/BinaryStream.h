#pragma once
// The one little-endian reader/writer pair every record goes through. The
// reader checks each read against what is left and throws EStreamError
// (localized "Fehler in der Datei") instead of reading past the end.

#include "Errors.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <array>
#include <cstdint>

// Short strings hold at most this many characters.
inline constexpr int ShortStringMax = 40;
inline constexpr int ShortStringSize = 1 + ShortStringMax;
// A short string's field as it stands in a file.
using TShortStringField = std::array<char, ShortStringSize>;

// The localized damaged-data error.
EStreamError FileFormatError();

class TStreamWriter
{
public:
    void writeByte(uint8_t v) { *claim(1) = char(v); }
    void writeBool(bool v) { writeByte(v ? 1 : 0); }
    void writeWord(uint16_t v) { qToLittleEndian(v, claim(2)); }
    void writeInt32(int32_t v) { qToLittleEndian(v, claim(4)); }
    void writeUInt32(uint32_t v) { writeInt32(int32_t(v)); }
    void writeBytes(const QByteArray &b) { writeRaw(b.constData(), b.size()); }
    void writeRaw(const char *p, qsizetype n);
    void writeFill(int n, uint8_t v = 0);
    // Length byte and 40 bytes of Windows-1252. When stored (the field as it
    // was read) still holds s, it is written back unchanged, so the bytes
    // after the text that another writer left there survive a resave;
    // otherwise the text is padded with zeros.
    void writeShortString(const QString &s, const TShortStringField *stored = nullptr);
    // Text as Windows-1252 bytes, no length.
    void writeAnsi(const QString &s);

    // Overwrites 4 bytes already written at pos (counts known only later).
    void patchInt32(qsizetype pos, int32_t v);

    // The next n bytes, for the caller to fill at once: one bounds check
    // for a run of values instead of one each.
    char *claim(qsizetype n)
    {
        if (m_data.size() - m_size < n) [[unlikely]]
            expand(n);
        char *p = m_buf + m_size;
        m_size += n;
        return p;
    }

    // Room for n more bytes without growing again.
    void reserve(qsizetype n);
    qsizetype size() const { return m_size; }
    QByteArray data() const { return m_data.first(m_size); }
    QByteArray take();

private:
    void expand(qsizetype n);

    // Its size is the capacity; the bytes written are the first m_size.
    QByteArray m_data;
    char *m_buf = nullptr;
    qsizetype m_size = 0;
};

class TStreamReader
{
public:
    explicit TStreamReader(QByteArray data) : m_data(std::move(data)), m_begin(m_data.constData()) {}

    // The next n bytes, read in place; throws unless all are there.
    const char *consume(qsizetype n)
    {
        need(n);
        const char *p = m_begin + m_pos;
        m_pos += n;
        return p;
    }
    uint8_t readByte()
    {
        need(1);
        return uint8_t(m_begin[m_pos++]);
    }
    bool readBool() { return readByte() != 0; }
    uint16_t readWord()
    {
        need(2);
        const uint16_t v = qFromLittleEndian<uint16_t>(m_begin + m_pos);
        m_pos += 2;
        return v;
    }
    int32_t readInt32()
    {
        need(4);
        const int32_t v = qFromLittleEndian<int32_t>(m_begin + m_pos);
        m_pos += 4;
        return v;
    }
    uint32_t readUInt32() { return uint32_t(readInt32()); }
    QByteArray readBytes(qsizetype n);
    void skip(qsizetype n);
    // stored, when given, receives the field's 41 bytes as they stand.
    QString readShortString(TShortStringField *stored = nullptr);

    qsizetype pos() const { return m_pos; }
    qsizetype remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    // Throws unless count items of at least itemSize bytes can still follow.
    void requireItems(int64_t count, int64_t itemSize) const;

private:
    void need(qsizetype n) const
    {
        if (n < 0 || n > remaining()) [[unlikely]]
            throw FileFormatError();
    }
    QByteArray m_data;
    const char *m_begin;
    qsizetype m_pos = 0;
};

// A short string's 41 bytes at field, as TStreamWriter::writeShortString
// and TStreamReader::readShortString write and read them.
void EncodeShortString(char *field, const QString &s, const TShortStringField *stored = nullptr);
QString DecodeShortString(const char *field, TShortStringField *stored = nullptr);

// Windows-1252 conversion, the encoding of every text in files.
QByteArray ToAnsi(const QString &s);
QString FromAnsi(const QByteArray &b);
