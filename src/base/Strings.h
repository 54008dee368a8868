#pragma once
// The program's string table: every visible text is looked up by id.
// Ids 1..111 are language-independent; text number n of the current
// language lives at id n + LanguageOffset().

#include <QString>

// The entry with that id, at most 254 characters; an absent id gives "".
QString LoadText(int id);
// Text number n in the current language.
QString GetText(int n);

// 1 German, 2 English, 3 French, 4 Spanish.
int Language();
int LanguageOffset();
// Sets the process-wide language when n is 1..4; returns false (and changes
// nothing) otherwise. Persisting the choice is the caller's business.
bool SetLanguageState(int n);
