#pragma once
// What a copy hands to the clipboard and a paste takes from it: the private
// record form, plain text and a picture. Only the window layer moves it to and from the
// system clipboard.

#include <QByteArray>
#include <QImage>
#include <QString>

struct TClipData
{
    bool HasPrivate = false;
    QByteArray Private;
    bool HasText = false;
    QString Text;
    bool HasImage = false;
    QImage Image;

    bool IsEmpty() const { return !HasPrivate && !HasText && !HasImage; }
};
