#include "Page.h"

#include "BinaryStream.h"
#include "Errors.h"
#include "FrameRegistry.h"

#include <algorithm>

// A page's section of the document file.

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
        const uint16_t m = in.readWord();
        const uint16_t tag = in.readWord();
        in.skip(4);
        if (OnLoadProgress)
            OnLoadProgress(int(int64_t(i) * 100 / count));
        if (m != RecordMarker)
            throw FileFormatError();
        std::unique_ptr<TCDLFrame> f = CreateFrameByTag(tag, this);
        if (!f)
            throw FileFormatError();
        f->ReadFromStream(in);
        AddFrame(std::move(f));
    }
    Repaint();
    Modified = false;
}
