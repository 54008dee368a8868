#pragma once
// The one little-endian reader/writer pair every record goes through. The
// reader checks each read against what is left and throws EStreamError
// (localized "Fehler in der Datei") instead of reading past the end.

#include "Errors.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class TStreamWriter
{
public:
    void writeByte(uint8_t v) { m_data.append(char(v)); }
    void writeBool(bool v) { writeByte(v ? 1 : 0); }
    void writeWord(uint16_t v);
    void writeInt32(int32_t v);
    void writeUInt32(uint32_t v) { writeInt32(int32_t(v)); }
    void writeBytes(const QByteArray &b) { m_data.append(b); }
    void writeFill(int n, uint8_t v = 0) { m_data.append(n, char(v)); }
    // Length byte and 40 bytes of Windows-1252. When stored (the field as it
    // was read) still holds s, it is written back unchanged, so the bytes
    // after the text that another writer left there survive a resave;
    // otherwise the text is padded with zeros.
    void writeShortString(const QString &s, const QByteArray &stored = {});
    // Text as Windows-1252 bytes, no length.
    void writeAnsi(const QString &s);

    // Overwrites 4 bytes already written at pos (counts known only later).
    void patchInt32(qsizetype pos, int32_t v);

    qsizetype size() const { return m_data.size(); }
    const QByteArray &data() const { return m_data; }
    QByteArray take() { return std::move(m_data); }

private:
    QByteArray m_data;
};

class TStreamReader
{
public:
    explicit TStreamReader(QByteArray data) : m_data(std::move(data)) {}

    uint8_t readByte();
    bool readBool() { return readByte() != 0; }
    uint16_t readWord();
    int32_t readInt32();
    uint32_t readUInt32() { return uint32_t(readInt32()); }
    QByteArray readBytes(qsizetype n);
    void skip(qsizetype n);
    // stored, when given, receives the field's 41 bytes as they stand.
    QString readShortString(QByteArray *stored = nullptr);

    qsizetype pos() const { return m_pos; }
    qsizetype remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    // Throws unless count items of at least itemSize bytes can still follow.
    void requireItems(int64_t count, int64_t itemSize) const;

private:
    void need(qsizetype n) const;
    QByteArray m_data;
    qsizetype m_pos = 0;
};

// Windows-1252 conversion, the encoding of every text in files.
QByteArray ToAnsi(const QString &s);
QString FromAnsi(const QByteArray &b);

// Short strings hold at most this many characters.
inline constexpr int ShortStringMax = 40;
inline constexpr int ShortStringSize = 1 + ShortStringMax;

// The localized damaged-data error.
EStreamError FileFormatError();
