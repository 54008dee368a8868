#pragma once
// The font panel's list of the installed scalable faces. A frame's face that
// is not installed shows as an extra entry on top, in italics, with the face
// that stands in for it on this machine. Only the person's choice (a click, a
// key, Enter) picks a face: focus, filling and selection by the program do not.

#include <QListWidget>

class TFontList : public QListWidget
{
    Q_OBJECT
public:
    explicit TFontList(int maxNameLength, QWidget *parent = nullptr);

    const QStringList &Faces() const { return m_faces; }
    // Makes the face the current entry: its own, else the extra entry.
    void ShowFace(const QString &name);
    // The current entry's face; empty when there is none.
    QString Face() const;

signals:
    void facePicked();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    QStringList m_faces;
    QListWidgetItem *m_missing = nullptr;
    int m_personActing = 0;
};
