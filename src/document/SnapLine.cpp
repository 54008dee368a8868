#include "SnapLine.h"

#include "BinaryStream.h"

#include <cstdlib>

void TSnapLine::check(int i) const
{
    if (i < 0 || i >= Count())
        throw E_LinesIndexError();
}

const TSnapLineRecord &TSnapLine::Get(int i) const
{
    check(i);
    return m_lines[size_t(i)];
}

bool TSnapLine::Exists(int32_t position, bool horizontal) const
{
    for (const auto &l : m_lines)
        if (l.Horizontal == horizontal && l.Position == position)
            return true;
    return false;
}

void TSnapLine::Delete(int i)
{
    check(i);
    m_lines.erase(m_lines.begin() + i);
}

void TSnapLine::SetLine(int i, const TSnapLineRecord &r)
{
    check(i);
    m_lines[size_t(i)] = r;
}

void TSnapLine::RemoveDuplicates()
{
    std::vector<int> doomed;
    for (int i = 0; i + 1 < Count(); ++i)
        for (int j = i + 1; j < Count(); ++j)
            if (m_lines[size_t(j)] == m_lines[size_t(i)]) {
                doomed.push_back(i);
                break;
            }
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        m_lines.erase(m_lines.begin() + *it);
}

int TSnapLine::FindNearest(int32_t position, bool horizontal)
{
    int64_t best = Tolerance;
    int result = -1;
    for (int i = 0; i < Count(); ++i) {
        const auto &l = m_lines[size_t(i)];
        if (l.Horizontal != horizontal)
            continue;
        const int64_t d = std::llabs(int64_t(l.Position) - position);
        if (d <= best) {
            result = i;
            best = d;
        }
    }
    FoundDistance = int32_t(best);
    return result;
}

void TSnapLine::WriteToStream(TStreamWriter &out) const
{
    out.writeInt32(Count());
    for (const auto &l : m_lines) {
        out.writeInt32(8);
        out.writeInt32(l.Position);
        out.writeBool(l.Horizontal);
        out.writeFill(3);
    }
}

void TSnapLine::ReadFromStream(TStreamReader &in)
{
    m_lines.clear();
    const int32_t n = in.readInt32();
    in.requireItems(n, 12);
    m_lines.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        in.skip(4); // entry size, always 8
        const int32_t pos = in.readInt32();
        const bool horizontal = in.readByte() != 0;
        in.skip(3);
        m_lines.push_back({pos, horizontal});
    }
}
