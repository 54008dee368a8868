#include "FontList.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>
#include <utility>

namespace {

// A face offered by two foundries is named once, without the foundry:
// documents name faces as other machines know them.
QString familyName(const QString &family)
{
    const qsizetype bracket = family.lastIndexOf(QStringLiteral(" ["));
    return bracket > 0 && family.endsWith(QLatin1Char(']')) ? family.left(bracket) : family;
}

} // namespace

TFontList::TFontList(int maxNameLength, QWidget *parent) : QListWidget(parent)
{
    setUniformItemSizes(false);
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isSmoothlyScalable(family) || QFontDatabase::isPrivateFamily(family))
            continue;
        const QString name = familyName(family);
        if (name.size() > maxNameLength || m_faces.contains(name))
            continue;
        m_faces.append(name);
        auto *item = new QListWidgetItem(name, this);
        item->setData(Qt::UserRole, name);
        // Each name in its own face, where that face writes the name.
        const QList<QFontDatabase::WritingSystem> ws = QFontDatabase::writingSystems(family);
        if (!ws.contains(QFontDatabase::Latin) || ws.contains(QFontDatabase::Symbol))
            continue;
        QFont f(family);
        f.setPointSize(font().pointSize() > 0 ? font().pointSize() + 1 : 10);
        item->setFont(f);
    }
    connect(this, &QListWidget::itemActivated, this, &TFontList::facePicked);
}

void TFontList::ShowFace(const QString &name)
{
    const auto installed = std::find_if(m_faces.cbegin(), m_faces.cend(), [&](const QString &face) {
        return face.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (installed != m_faces.cend()) {
        delete std::exchange(m_missing, nullptr);
        setCurrentRow(int(installed - m_faces.cbegin()));
        scrollToItem(currentItem());
        return;
    }
    if (!m_missing) {
        m_missing = new QListWidgetItem;
        insertItem(0, m_missing);
        QFont f = font();
        f.setItalic(true);
        m_missing->setFont(f);
    }
    const QString standIn = QFontInfo(QFont(name)).family();
    m_missing->setText(name.compare(standIn, Qt::CaseInsensitive) == 0 ? name
                                                                       : name + QStringLiteral(" \u2192 ") + standIn);
    m_missing->setData(Qt::UserRole, name);
    setCurrentItem(m_missing);
    scrollToItem(m_missing);
}

QString TFontList::Face() const
{
    const QListWidgetItem *item = currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

// The list changes its current entry for the person only inside these.
void TFontList::keyPressEvent(QKeyEvent *e)
{
    ++m_personActing;
    QListWidget::keyPressEvent(e);
    --m_personActing;
}

void TFontList::mousePressEvent(QMouseEvent *e)
{
    ++m_personActing;
    QListWidget::mousePressEvent(e);
    --m_personActing;
}

void TFontList::mouseMoveEvent(QMouseEvent *e)
{
    ++m_personActing;
    QListWidget::mouseMoveEvent(e);
    --m_personActing;
}

void TFontList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListWidget::currentChanged(current, previous);
    if (m_personActing && current.isValid())
        emit facePicked();
}
