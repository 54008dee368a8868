#pragma once
// Keyboard mnemonics ("&" before a letter) for menus whose texts come without
// them, chosen as desktop toolkits choose them: unique among their
// neighbours, the first letter of a word where one is free.

#include <QChar>
#include <QStringList>

class QMenu;
class QMenuBar;

// The mnemonic character of a text ("&&" is a literal "&"), or a null QChar.
QChar MnemonicOf(const QString &text);

// A name shown in a menu as it is written: each "&" doubled, so none
// becomes a mnemonic.
QString MenuLiteral(const QString &name);

// The texts with a mnemonic each, unique among them ignoring case. A text
// that has one keeps it; a text with nothing usable stays as it is.
QStringList WithMnemonics(const QStringList &texts);

// The menu bar's titles, and the items of every menu on it, one menu at a
// time. Run again whenever the texts were set anew (a language switch).
void AssignMnemonics(QMenuBar *bar);
void AssignMnemonics(QMenu *menu);
