#pragma once
// TCDLBild: a raster picture (or an icon) stretched into an axis-parallel
// rectangle, with an optional border. The picture is kept decoded for
// painting and as the bytes it is stored with, so one that was not changed
// is written back exactly as it was read.

#include "Frame.h"

#include <QImage>

class TCDLBild : public TCDLFrame
{
public:
    TCDLBild(TCDLPage *page, int32_t x, int32_t y);
    static const TFrameKind Descriptor;
    const TFrameKind &Kind() const override { return Descriptor; }
    TRecordLayout RecordLayout() const override;
    QString Verbose() const override;
    // Zero size: the insertion tells a click from a drag by it.
    void SetDefaults() override;
    void PaintAt(TPaintContext &c, const TFrameGeometry &g) const override;
    void CopyToClip(TClipData &clip) const override;
    // Throws the paste error when the clipboard's picture is unusable.
    void PasteFromClip(const TClipData &clip) override;

    // Loads a picture file and sizes the frame to it; false, with the
    // reading error shown through the page's window, when it is no picture.
    bool OpenFile(const QString &path);
    // A picture from elsewhere (a scan); false when it is unusable.
    bool TakePicture(const QImage &image);
    // A click (no size, or at most 10 x 10) takes the picture's pixel size;
    // a dragged rectangle takes the picture's shape scaled into it.
    void FitToPicture();
    // Quarter turns only; width and height follow. Icons stay as they are.
    void Rotate(int degrees);
    void Mirror(bool leftRight);

    const QImage &Picture() const { return m_image; }
    // Held in the record's platform-picture form (icons).
    bool IsIcon() const { return m_icon; }

    // The stored picture: the record's flag, bits per pixel, format code and
    // data, or for the platform form its class-name field.
    struct TStored
    {
        uint8_t Flag = 0;
        int32_t Bits = 0;
        int32_t Code = 0;
        QByteArray ClassField;
        QByteArray Data;
    };
    const TStored &Stored() const { return m_stored; }

    // Format code of the PNG data this program writes.
    static constexpr int32_t PngCode = 75;

private:
    friend struct TPictureCodec;
    void SetPicture(QImage image, bool icon);

    QImage m_image;
    bool m_icon = false;
    TStored m_stored;
};
