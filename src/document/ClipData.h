#pragma once
// What a copy hands to the clipboard and a paste takes from it: the private
// record form and plain text. Only the window layer moves it to and from the
// system clipboard.

#include <QByteArray>
#include <QString>

struct TClipData
{
    bool HasPrivate = false;
    QByteArray Private;
    bool HasText = false;
    QString Text;

    bool IsEmpty() const { return !HasPrivate && !HasText; }
};
