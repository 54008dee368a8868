#include "Mnemonics.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <vector>

namespace {

// A non-ASCII letter is typed with Alt on few keyboards ("É", "Ö"), so such
// letters come after every plain letter and digit.
bool Typable(QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); }

bool WordStart(const QString &t, qsizetype i) { return i == 0 || !t[i - 1].isLetterOrNumber(); }

QChar Folded(QChar c) { return c.toCaseFolded(); }

} // namespace

QChar MnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1];
        ++i;
    }
    return {};
}

QString MenuLiteral(const QString &name)
{
    QString r = name;
    return r.replace(QLatin1Char('&'), QLatin1String("&&"));
}

namespace {

// Where each text's mnemonic goes, as a position in the text, or -1.
class TChoice
{
public:
    explicit TChoice(const QStringList &texts) : m_texts(texts), m_at(size_t(texts.size()), -1) {}

    // A text that has its mnemonic keeps it.
    void Keep(qsizetype n, QChar c)
    {
        m_fixed.insert(Folded(c));
        m_at[size_t(n)] = -2;
    }
    bool Has(qsizetype n) const { return m_at[size_t(n)] != -1; }

    // The first character of text n that allows takes it, if free.
    template <class Allows> void TakeFree(qsizetype n, Allows allows)
    {
        const QString &t = m_texts[n];
        for (qsizetype i = 0; i < t.size(); ++i)
            if (allows(t, i) && !m_fixed.contains(Folded(t[i])) && !m_owner.contains(Folded(t[i]))) {
                take(n, i);
                return;
            }
    }

    // When every character of text n is taken, one of the texts holding them
    // moves to another of its own characters (an augmenting path), so as
    // many texts as possible get one.
    template <class Allows> bool Shift(qsizetype n, Allows allows, QSet<QChar> &seen)
    {
        const QString &t = m_texts[n];
        for (qsizetype i = 0; i < t.size(); ++i) {
            const QChar c = Folded(t[i]);
            if (!allows(t, i) || m_fixed.contains(c) || seen.contains(c))
                continue;
            seen.insert(c);
            const auto holder = m_owner.constFind(c);
            if (holder == m_owner.constEnd() || Shift(*holder, allows, seen)) {
                take(n, i);
                return true;
            }
        }
        return false;
    }

    QStringList Marked() const
    {
        QStringList r = m_texts;
        for (qsizetype n = 0; n < r.size(); ++n)
            if (m_at[size_t(n)] >= 0)
                r[n].insert(m_at[size_t(n)], QLatin1Char('&'));
        return r;
    }

private:
    void take(qsizetype n, qsizetype i)
    {
        if (const qsizetype old = m_at[size_t(n)]; old >= 0)
            m_owner.remove(Folded(m_texts[n][old]));
        m_at[size_t(n)] = i;
        m_owner.insert(Folded(m_texts[n][i]), n);
    }

    const QStringList &m_texts;
    std::vector<qsizetype> m_at;
    QSet<QChar> m_fixed;
    QHash<QChar, qsizetype> m_owner;
};

} // namespace

QStringList WithMnemonics(const QStringList &texts)
{
    TChoice choice(texts);
    for (qsizetype n = 0; n < texts.size(); ++n)
        if (const QChar m = MnemonicOf(texts[n]); !m.isNull())
            choice.Keep(n, m);
    const auto firstWord = [](const QString &t, qsizetype i) {
        for (qsizetype k = 0; k < i; ++k)
            if (t[k].isLetterOrNumber())
                return false;
        return Typable(t[i]);
    };
    const auto anyWord = [](const QString &t, qsizetype i) { return WordStart(t, i) && Typable(t[i]); };
    const auto anyTypable = [](const QString &t, qsizetype i) { return Typable(t[i]); };
    const auto anyLetter = [](const QString &t, qsizetype i) { return t[i].isLetterOrNumber(); };
    // Last, a sign such as "?" still makes the menu reachable.
    const auto anyPrintable = [](const QString &t, qsizetype i) {
        return t[i].isPrint() && !t[i].isSpace() && t[i] != QLatin1Char('&');
    };
    // Each pass gives every text still without one the first free character
    // it allows, so an earlier item's fallback never takes a later one's
    // initial; only then may texts give up theirs to make room.
    const auto passes = [&](auto allows) {
        for (qsizetype n = 0; n < texts.size(); ++n)
            if (!choice.Has(n))
                choice.TakeFree(n, allows);
    };
    passes(firstWord);
    passes(anyWord);
    passes(anyTypable);
    for (qsizetype n = 0; n < texts.size(); ++n) {
        QSet<QChar> seen;
        if (!choice.Has(n))
            choice.Shift(n, anyTypable, seen);
    }
    passes(anyLetter);
    passes(anyPrintable);
    return choice.Marked();
}

namespace {

void Assign(const QList<QAction *> &actions)
{
    QList<QAction *> items;
    QStringList texts;
    for (QAction *a : actions) {
        if (a->isSeparator() || a->text().isEmpty())
            continue;
        items.append(a);
        texts.append(a->text());
    }
    const QStringList marked = WithMnemonics(texts);
    for (qsizetype i = 0; i < items.size(); ++i) {
        items[i]->setText(marked[i]);
        if (QMenu *sub = items[i]->menu())
            AssignMnemonics(sub);
    }
}

} // namespace

void AssignMnemonics(QMenuBar *bar) { Assign(bar->actions()); }

void AssignMnemonics(QMenu *menu) { Assign(menu->actions()); }
