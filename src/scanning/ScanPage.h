#pragma once
// Builds the page image from SANE's frames as the bytes come: one grey or
// RGB frame, or a red, a green and a blue one after another. Every size the
// device states is checked against the others and against the bound of
// Scanner.h; lines arrive until the device stops when it does not know the
// page's length.

#include <QByteArray>
#include <QImage>
#include <sane/sane.h>

class TScanPage
{
public:
    // False when the frame's parameters do not describe a page we can take.
    bool BeginFrame(const SANE_Parameters &p);
    // False when the page would grow beyond the bound.
    bool Add(const unsigned char *data, int length);
    // How far the page is, in percent over all frames; -1 when unknown.
    int Percent() const;
    // The lines received; null before a whole line came.
    QImage Image() const;

private:
    bool takeLine();
    int sample(int i) const;

    SANE_Parameters m_params{};
    int m_frames = 0;
    QByteArray m_line;
    int m_lineFill = 0;
    int m_row = 0;  // of this frame
    int m_rows = 0; // over all frames: a page is as long as its longest frame
    QImage m_image;
};
