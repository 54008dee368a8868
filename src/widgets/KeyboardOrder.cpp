#include "KeyboardOrder.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QWidget>
#include <algorithm>

namespace {

bool TakesTab(const QWidget *w) { return w && (w->focusPolicy() & Qt::TabFocus) && !w->isWindow(); }

// An input a caption may name: buttons carry their own text.
bool NamedInput(const QWidget *w) { return TakesTab(w) && !qobject_cast<const QAbstractButton *>(w); }

class TReadingOrder
{
public:
    QList<QWidget *> Inputs;

    void Layout(QLayout *l)
    {
        QList<QLayoutItem *> items;
        for (int i = 0; i < l->count(); ++i)
            items.append(l->itemAt(i));
        if (auto *g = qobject_cast<QGridLayout *>(l)) {
            struct TCell
            {
                int Row, Column, Rows, Columns;
            };
            auto cell = [g](QLayoutItem *it) {
                TCell c{};
                g->getItemPosition(g->indexOf(it), &c.Row, &c.Column, &c.Rows, &c.Columns);
                return c;
            };
            std::stable_sort(items.begin(), items.end(), [&](QLayoutItem *a, QLayoutItem *b) {
                return std::pair(cell(a).Row, cell(a).Column) < std::pair(cell(b).Row, cell(b).Column);
            });
            // A caption names the nearest input to its right that reaches into
            // its row (one input may span the rows of a two-line caption).
            for (QLayoutItem *caption : items) {
                const TCell c = cell(caption);
                QLayoutItem *next = nullptr;
                for (QLayoutItem *it : items) {
                    const TCell n = cell(it);
                    if (n.Column >= c.Column + c.Columns && n.Row <= c.Row && c.Row < n.Row + n.Rows
                        && (!next || n.Column < cell(next).Column))
                        next = it;
                }
                if (next)
                    link(caption->widget(), next->widget());
            }
        } else {
            if (auto *b = qobject_cast<QBoxLayout *>(l);
                b && (b->direction() == QBoxLayout::RightToLeft || b->direction() == QBoxLayout::BottomToTop))
                std::reverse(items.begin(), items.end());
            for (qsizetype i = 0; i + 1 < items.size(); ++i)
                link(items[i]->widget(), items[i + 1]->widget());
        }
        for (QLayoutItem *it : items) {
            if (QWidget *w = it->widget())
                Widget(w);
            else if (QLayout *inner = it->layout())
                Layout(inner);
        }
    }

    void Widget(QWidget *w)
    {
        if (TakesTab(w))
            Inputs.append(w);
        if (QLayout *l = w->layout()) {
            Layout(l);
        } else if (!TakesTab(w)) {
            // Placed by hand: the order they were made in.
            for (QObject *o : w->children())
                if (auto *child = qobject_cast<QWidget *>(o); child && !child->isWindow())
                    Widget(child);
        }
    }

private:
    static void link(QWidget *caption, QWidget *input)
    {
        auto *label = qobject_cast<QLabel *>(caption);
        if (label && !label->buddy() && NamedInput(input))
            label->setBuddy(input);
    }
};

} // namespace

void LinkLabelsAndTabOrder(QWidget *root)
{
    TReadingOrder order;
    order.Widget(root);
    for (qsizetype i = 0; i + 1 < order.Inputs.size(); ++i)
        QWidget::setTabOrder(order.Inputs[i], order.Inputs[i + 1]);
}
