#pragma once
// For the tests of any shown panel or dialog: Tab meets its inputs in reading
// order (each below the one before, or beside it to the right), and a label
// with an input just right of it names that input as its buddy.

#include <QAbstractButton>
#include <QLabel>
#include <gtest/gtest.h>

inline void ExpectKeyboardReach(QWidget *root)
{
    const auto rect = [root](const QWidget *w) { return QRect(w->mapTo(root, QPoint()), w->size()); };
    const auto input = [root](const QWidget *w) {
        return w->isVisibleTo(root) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
    };
    QWidget *before = nullptr;
    for (QWidget *w = root->nextInFocusChain(); w != root; w = w->nextInFocusChain()) {
        if (!root->isAncestorOf(w) || !input(w))
            continue;
        const QRect a = before ? rect(before) : QRect(), b = rect(w);
        EXPECT_TRUE(!before || b.top() > a.center().y() || b.left() > a.center().x())
            << "Tab goes back to " << w->objectName().toStdString();
        before = w;
    }
    for (QLabel *l : root->findChildren<QLabel *>()) {
        if (!l->isVisibleTo(root) || l->text().isEmpty())
            continue;
        const QRect c = rect(l);
        // The nearest widget right of it in its line (of a box and what it holds, what it holds).
        QWidget *next = nullptr;
        for (QWidget *w : root->findChildren<QWidget *>()) {
            const QRect r = rect(w);
            if (w == l || !w->isVisibleTo(root) || w->isAncestorOf(l) || r.top() > c.center().y()
                || r.bottom() < c.center().y() || r.left() <= c.right())
                continue;
            if (!next || r.left() < rect(next).left() || (r.left() == rect(next).left() && next->isAncestorOf(w)))
                next = w;
        }
        EXPECT_TRUE(!next || !input(next) || qobject_cast<QAbstractButton *>(next) || l->buddy() == next)
            << "label " << l->text().toStdString() << " names no input";
    }
}
