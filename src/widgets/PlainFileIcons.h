#pragma once
// Folder and file icons by kind alone, for the file models of our dialogs:
// the stock provider reads files to tell their type, which hangs on a FIFO
// and crawls on a network folder or a disc being read.

class QAbstractFileIconProvider;

// One provider for the whole program: a model does not own its provider,
// and a model's gatherer thread may still ask after its dialog has gone.
QAbstractFileIconProvider *PlainFileIcons();
