#pragma once
// The program's help window: the HTML help of the current language.

#include <QDialog>

class QTextBrowser;

class THelpWindow : public QDialog
{
    Q_OBJECT
public:
    // helpFile is the string table's name ("xxx.hlp"); the page shown is the
    // compiled-in HTML of that name.
    static void Show(QWidget *parent, const QString &helpFile);
    // After a language switch: an open help window shows that language's help.
    static void Follow(QWidget *parent, const QString &helpFile);
    static QString HtmlPath(const QString &helpFile);
    QString Source() const;

private:
    explicit THelpWindow(QWidget *parent);
    void load(const QString &helpFile);
    QTextBrowser *m_browser;
};
