#pragma once
// Picture files dropped from the file manager onto a page, and the insert
// dialog a new picture frame asks through.

#include <QPoint>
#include <QString>
#include <QStringList>

class QMimeData;
class QWidget;
class TCDLPage;
class TPageEditor;

// The local files of a drop whose names say they are pictures.
bool OffersPictureFiles(const QMimeData *m);
// Each file becomes a picture frame at the drop point, the next one 10 units
// further right and down; a name that is no picture's is reported and
// skipped, a file that does not load ends the run. The new frames end up
// selected, each one creation step of undo.
void InsertDroppedPictures(TCDLPage &page, const TPageEditor &editor, QPoint device, const QStringList &paths);
QStringList DroppedFiles(const QMimeData *m);

// The insert dialog in the settings' pictures folder; empty when cancelled.
QString AskPictureFileName(QWidget *parent);
