#include "Page.h"

#include "BinaryStream.h"
#include "Errors.h"
#include "FrameRegistry.h"

#include <QtEndian>

#include <algorithm>
#include <array>

// A page's section of the document file.

namespace {

// The kinds by record tag, looked up once per record.
const TFrameKind *KindOfTag(uint16_t tag)
{
    static const auto kinds = [] {
        std::array<const TFrameKind *, 64> t{};
        for (const TFrameKind *k : FrameKinds())
            if (k->Tag < t.size() && k->Create)
                t[k->Tag] = k;
        return t;
    }();
    return tag < kinds.size() ? kinds[tag] : nullptr;
}

} // namespace

void TCDLPage::WriteSection(TStreamWriter &out) const
{
    out.writeWord(RecordMarker);
    out.writeWord(1);
    out.writeInt32(FrameCount());
    out.writeUInt32(BackColor);
    WriteKindSettingsBeforeSnapLines(out);
    SnapLines.WriteToStream(out);
    out.writeInt32(SnapX);
    out.writeInt32(SnapY);
    out.writeBool(GuideFlag);
    out.writeBool(SnapEnabled);
    out.writeBool(ShowSnapPoints);
    WriteKindSettingsAfterFlags(out);
    for (const auto &f : m_frames)
        f->WriteToStream(out);
}

void TCDLPage::ReadSection(TStreamReader &in)
{
    const uint16_t marker = in.readWord();
    const uint16_t kind = in.readWord();
    if (marker != RecordMarker && kind != 1)
        throw FileFormatError();
    const int32_t count = in.readInt32();
    // Every record is at least its 8-byte head.
    in.requireItems(count, 8);
    BackColor = in.readUInt32();
    ReadKindSettingsBeforeSnapLines(in);
    SnapLines.ReadFromStream(in);
    SnapX = in.readInt32();
    SnapY = in.readInt32();
    GuideFlag = in.readBool();
    SnapEnabled = in.readBool();
    ShowSnapPoints = in.readBool();
    ReadKindSettingsAfterFlags(in);
    m_frames.reserve(m_frames.size() + size_t(std::min(count, MaxFramesPerPage)));
    for (int32_t i = 1; i <= count; ++i) {
        const char *head = in.consume(8);
        if (OnLoadProgress)
            OnLoadProgress(int(int64_t(i) * 100 / count));
        const TFrameKind *kind = KindOfTag(qFromLittleEndian<uint16_t>(head + 2));
        if (qFromLittleEndian<uint16_t>(head) != RecordMarker || !kind)
            throw FileFormatError();
        std::unique_ptr<TCDLFrame> f = kind->Create(this, 0, 0);
        f->ReadFromStream(in);
        AddFrame(std::move(f));
    }
    Repaint();
    Modified = false;
}
