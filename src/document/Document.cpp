#include "Document.h"

#include "BinaryStream.h"
#include "Errors.h"
#include "SaveFile.h"
#include "Strings.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr char kName[] = "QUARRENDOLIN";
constexpr int kNameLength = 12;

ELocalizedError Message(int textNumber) { return ELocalizedError(GetText(textNumber)); }

} // namespace

TCDLDocument::TCDLDocument(TPageHost *window)
{
    for (int i = 0; i < PageCount; ++i)
        m_pages[size_t(i)] = CreatePage(TPageKind(i), window);
}

bool TCDLDocument::Modified() const
{
    for (const auto &p : m_pages)
        if (p->Modified)
            return true;
    return false;
}

void TCDLDocument::SetModified(bool modified)
{
    for (auto &p : m_pages)
        p->Modified = modified;
}

void WriteFileHeader(TStreamWriter &out, uint16_t version)
{
    out.writeWord(RecordMarker);
    out.writeByte(kNameLength);
    out.writeBytes(QByteArray(kName, kNameLength));
    out.writeByte(0);
    out.writeWord(version);
}

void WriteFileTrailer(TStreamWriter &out)
{
    out.writeWord(RecordMarker);
    out.writeWord(0xFFFF);
    out.writeInt32(0);
}

QByteArray TCDLDocument::ToBytes() const
{
    TStreamWriter w;
    WriteFileHeader(w, DocumentVersion);
    for (const auto &p : m_pages)
        p->WriteSection(w);
    WriteFileTrailer(w);
    return w.take();
}

void TCDLDocument::FromBytes(const QByteArray &data, QStringList *warnings)
{
    // A file too short to say what it is counts as damaged (a truncated
    // document), one that says something else is not a document.
    if (data.size() >= 2 && (uint8_t(data[0]) != 0xBE || uint8_t(data[1]) != 0xBA))
        throw Message(DocumentText::NotADocument);
    if (data.size() >= 3 + kNameLength
        && (uint8_t(data[2]) != kNameLength || data.mid(3, kNameLength) != QByteArray(kName, kNameLength)))
        throw Message(DocumentText::NotADocument);
    if (data.size() < FileHeaderSize)
        throw Message(DocumentText::ReadFailed);

    TStreamReader in(data);
    in.skip(16);
    if (in.readWord() != DocumentVersion && warnings)
        warnings->append(GetText(DocumentText::OtherVersion) + GetText(DocumentText::MaybeNotAll));
    try {
        for (auto &p : m_pages)
            p->ReadSection(in);
    } catch (const EFrameLimit &e) {
        throw ELocalizedError(e.message() + QLatin1Char('\n') + GetText(DocumentText::ReadFailed));
    } catch (const ELocalizedError &) {
        throw Message(DocumentText::ReadFailed);
    }
}

void TCDLDocument::Load(const QString &path, QStringList *warnings)
{
    FileName = path;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxFileSize)
        throw Message(DocumentText::ReadFailed);
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Message(DocumentText::ReadFailed);
    QStringList local;
    FromBytes(data, &local);
    if (!local.isEmpty())
        FileName.clear();
    if (warnings)
        warnings->append(local);
}

void TCDLDocument::Save(const QString &path)
{
    if (!WriteFileWhole(path, ToBytes()))
        throw Message(DocumentText::SaveFailed);
    SetModified(false);
}
