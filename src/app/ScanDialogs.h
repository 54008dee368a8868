#pragma once
// Scanning as the person sees it: the choice of a scanner among those SANE
// finds, then a progress window with Cancel while the page comes in.

#include "Scanner.h"

#include <QDialog>

class QListWidget;

// The scanners with vendor and model; the one chosen last is preselected.
class TScanSourceDialog : public QDialog
{
    Q_OBJECT
public:
    TScanSourceDialog(const std::vector<TScanDevice> &devices, const QString &last, QWidget *parent = nullptr);
    // The chosen device's SANE name.
    QString Device() const;

private:
    QListWidget *m_list;
};

// A page from a scanner the person picks, or a null image when there is
// none (text 1544), it fails (text 1545) or the person cancels (no message).
QImage ScanWithDialogs(QWidget *parent);
