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

struct TPreviewCancelled
{
};
constexpr qint64 kPreviewSlice = qint64(1) << 20;

// The header as this version writes it; the byte after the name is free.
bool IsCurrentHeader(const QByteArray &head)
{
    TStreamWriter w;
    WriteFileHeader(w, DocumentVersion);
    const QByteArray ours = w.take();
    return head.size() == FileHeaderSize && head.left(15) == ours.left(15) && head.mid(16) == ours.mid(16);
}

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
    // Most records are shapes of about 45 bytes; larger ones grow the buffer.
    qsizetype estimate = 1024;
    for (const auto &p : m_pages)
        estimate += qsizetype(p->FrameCount()) * 48;
    TStreamWriter w;
    w.reserve(estimate);
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
    QStringList local;
    QStringList &said = warnings ? *warnings : local;
    const qsizetype before = said.size();
    const std::optional<QByteArray> data = ReadFileWhole(path, MaxFileSize);
    if (!data)
        throw Message(DocumentText::ReadFailed);
    // A warning given before the reading failed still reaches the caller.
    FromBytes(*data, &said);
    if (said.size() > before)
        FileName.clear();
}

void TCDLDocument::Save(const QString &path)
{
    if (!WriteFileWhole(path, ToBytes()))
        throw Message(DocumentText::SaveFailed);
    SetModified(false);
}

std::unique_ptr<TCDLDocument> ReadPreviewDocument(const QString &path, const std::function<bool()> &cancelled,
                                                  const std::function<void(int page, int percent)> &progress)
{
    // A FIFO or a device named like a document never ends or blocks the open.
    const QFileInfo info(path);
    QFile f(path);
    if (!info.isFile() || info.size() > MaxFileSize || !f.open(QIODevice::ReadOnly))
        return nullptr;
    QByteArray data = f.read(FileHeaderSize);
    if (!IsCurrentHeader(data))
        return nullptr;
    while (!f.atEnd()) {
        if (cancelled())
            return nullptr;
        const QByteArray slice = f.read(kPreviewSlice);
        // The file may grow while it is read.
        if (slice.isEmpty() || data.size() + slice.size() > MaxFileSize)
            return nullptr;
        data += slice;
    }
    if (f.error() != QFileDevice::NoError)
        return nullptr;
    auto doc = std::make_unique<TCDLDocument>();
    for (int i = 0; i < TCDLDocument::PageCount; ++i)
        doc->Page(TPageKind(i)).OnLoadProgress = [&, i](int percent) {
            if (cancelled())
                throw TPreviewCancelled();
            progress(i, percent);
        };
    try {
        doc->FromBytes(data, nullptr);
    } catch (const ELocalizedError &) {
        return nullptr;
    } catch (const TPreviewCancelled &) {
        return nullptr;
    }
    for (int i = 0; i < TCDLDocument::PageCount; ++i)
        doc->Page(TPageKind(i)).OnLoadProgress = nullptr;
    return doc;
}
