#include "DirList.h"

#include "BinaryStream.h"
#include "Strings.h"

#include <QDateTime>
#include <QJsonObject>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

// Time, size, attributes, name length, a name of its zero alone, the flag.
constexpr int kSmallestEntry = 4 + 4 + 4 + 2 + 1 + 1;

bool Greater(const TDirEntry &a, const TDirEntry &b, TDirSort mode)
{
    switch (mode) {
    case TDirSort::Name: return QString::compare(a.Name, b.Name, Qt::CaseSensitive) > 0;
    case TDirSort::NameIgnoringCase: return QString::compare(a.Name.toLower(), b.Name.toLower()) > 0;
    case TDirSort::Size: return a.Size > b.Size;
    case TDirSort::Date: return a.Time > b.Time;
    case TDirSort::None: break;
    }
    return false;
}

// Stable, so a sorted list (as every written one is) reads back exactly as
// it was. An exchange sort orders alike but for equal entries, in quadratic
// time: too slow for the folders of a full disc.
void SortList(std::vector<TDirEntry> &list, TDirSort mode, bool ascending, int depth)
{
    std::stable_sort(list.begin(), list.end(), [mode, ascending](const TDirEntry &a, const TDirEntry &b) {
        return ascending ? Greater(b, a, mode) : Greater(a, b, mode);
    });
    if (depth < MaxDirDepth)
        for (TDirEntry &e : list)
            SortList(e.SubList, mode, ascending, depth + 1);
}

} // namespace

void TDirTree::Sort()
{
    if (SortMode != TDirSort::None)
        SortList(Entries, SortMode, Ascending, 0);
}

void WriteDirList(TStreamWriter &out, const std::vector<TDirEntry> &list)
{
    out.writeInt32(int32_t(list.size()));
    for (const TDirEntry &e : list) {
        out.writeUInt32(e.Time);
        out.writeInt32(e.Size);
        out.writeUInt32(e.Attributes);
        const QByteArray name = ToAnsi(e.Name).left(0xFFFE);
        out.writeWord(uint16_t(name.size() + 1));
        out.writeBytes(name);
        out.writeByte(0);
        out.writeBool(e.HasSubList);
        if (e.HasSubList)
            WriteDirList(out, e.SubList);
    }
}

std::vector<TDirEntry> ReadDirList(TStreamReader &in, int depth)
{
    if (depth > MaxDirDepth)
        throw FileFormatError();
    const int32_t count = in.readInt32();
    if (count < 0)
        throw FileFormatError();
    in.requireItems(count, kSmallestEntry);
    std::vector<TDirEntry> list(static_cast<size_t>(count));
    for (TDirEntry &e : list) {
        e.Time = in.readUInt32();
        e.Size = in.readInt32();
        e.Attributes = in.readUInt32();
        const uint16_t n = in.readWord();
        if (n == 0)
            throw FileFormatError();
        QByteArray name = in.readBytes(n);
        name.truncate(name.indexOf('\0') < 0 ? n : name.indexOf('\0'));
        e.Name = FromAnsi(name);
        e.HasSubList = in.readBool();
        if (e.HasSubList)
            e.SubList = ReadDirList(in, depth + 1);
    }
    return list;
}

QJsonArray DirListJson(const std::vector<TDirEntry> &list)
{
    QJsonArray a;
    for (const TDirEntry &e : list) {
        QJsonObject o{{QStringLiteral("Name"), e.Name},
                      {QStringLiteral("Size"), e.Size},
                      {QStringLiteral("Time"), qint64(e.Time)},
                      {QStringLiteral("Attributes"), qint64(e.Attributes)}};
        if (e.HasSubList)
            o.insert(QStringLiteral("Entries"), DirListJson(e.SubList));
        a.append(o);
    }
    return a;
}

QString SizeText(int64_t bytes)
{
    if (bytes > 1048576)
        return QString::number(std::llround(double(bytes) / 1048576)) + QLatin1Char(' ') + GetText(586);
    if (bytes > 1024)
        return QString::number(std::llround(double(bytes) / 1024)) + QLatin1Char(' ') + GetText(587);
    return GetText(bytes >= 2 ? 588 : 589);
}

uint32_t PackDosTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1980)
        return PackDosTime(1980, 1, 1, 0, 0, 0);
    year = std::min(year, 2107);
    const uint32_t date = uint32_t((year - 1980) << 9 | month << 5 | day);
    const uint32_t time = uint32_t(hour << 11 | minute << 5 | second / 2);
    return date << 16 | time;
}

QString DateText(uint32_t packed)
{
    const uint32_t d = packed >> 16, t = packed & 0xFFFF;
    const QDateTime when(QDate(int(d >> 9) + 1980, int(d >> 5 & 15), int(d & 31)),
                         QTime(int(t >> 11), int(t >> 5 & 63), int(t & 31) * 2));
    return QLocale().toString(when, QLocale::ShortFormat);
}
