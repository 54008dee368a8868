#pragma once
// A document: the three pages and the file they are stored in.

#include "Page.h"

#include <QStringList>
#include <array>
#include <functional>
#include <memory>

inline constexpr uint16_t DocumentVersion = 0x1110;
inline constexpr int FileHeaderSize = 18;
// Far beyond 30,000 frames a page with pictures, but no reason to read a
// multi-gigabyte file into memory.
inline constexpr qint64 MaxFileSize = qint64(1) << 30;

// The head that document and selection files share, and their tail.
void WriteFileHeader(TStreamWriter &out, uint16_t version);
void WriteFileTrailer(TStreamWriter &out);

class TCDLDocument
{
public:
    // All three pages report to window (none: non-interactive).
    explicit TCDLDocument(TPageHost *window = nullptr);

    QString FileName;

    TCDLabel &Label() const { return static_cast<TCDLabel &>(*m_pages[0]); }
    TInlayVorder &Front() const { return static_cast<TInlayVorder &>(*m_pages[1]); }
    TInlayRueck &Back() const { return static_cast<TInlayRueck &>(*m_pages[2]); }
    TCDLPage &Page(TPageKind kind) const { return *m_pages[size_t(kind)]; }
    static constexpr int PageCount = 3;

    bool Modified() const;
    void SetModified(bool modified);

    // The whole file.
    QByteArray ToBytes() const;
    // Replaces the pages' contents from a file image. Throws ELocalizedError
    // with the person's message when it is not a document or is damaged;
    // a version warning goes to warnings and reading goes on. On a throw the
    // pages are left in an unspecified state: discard the document.
    void FromBytes(const QByteArray &data, QStringList *warnings);

    // Writes beside the target and renames over it, so a failure leaves the
    // old file as it was; throws ELocalizedError with the save message.
    void Save(const QString &path);
    // FileName := path, then FromBytes; a version mismatch forgets FileName.
    void Load(const QString &path, QStringList *warnings);

private:
    std::array<std::unique_ptr<TCDLPage>, PageCount> m_pages;
};

// The pages of a file for a preview, read without a word to the person:
// null when it is no regular file, is beyond MaxFileSize, does not start
// with this version's header, cannot be read, is damaged, or cancelled()
// turned true. It reads in slices and asks cancelled() between them and
// between frames, so a cancel takes effect soon on a slow or large file.
// progress gets the page (0 to 2) and the percentage of its frames read.
// Safe on a worker thread: the document is its own until it is returned.
std::unique_ptr<TCDLDocument> ReadPreviewDocument(const QString &path, const std::function<bool()> &cancelled,
                                                  const std::function<void(int page, int percent)> &progress);

// The fixed header text and the messages the reader raises.
namespace DocumentText {
inline constexpr int NotADocument = 852;
inline constexpr int OtherVersion = 853;
inline constexpr int MaybeNotAll = 854;
inline constexpr int ReadFailed = 855;
inline constexpr int SaveFailed = 856;
} // namespace DocumentText
