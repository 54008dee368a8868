#pragma once
// Qt's own texts (the buttons of message boxes, the file and colour dialogs)
// in the program's language, from Qt's installed "qtbase" catalogues.

// Replaces the catalogue loaded before with the one of language 1 to 4;
// English, any other number, or a catalogue that is not installed leaves
// Qt's own English.
void ApplyQtTranslations(int language);

class QMdiSubWindow;

// Qt names the items of a document window's own menu only when it makes
// them; this names them again in the catalogue's language.
void RetranslateSystemMenu(QMdiSubWindow *window);
