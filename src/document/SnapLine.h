#pragma once
// A page's guide lines, in creation order, with their stored block.

#include <QString>
#include <cstdint>
#include <stdexcept>
#include <vector>

class TStreamReader;
class TStreamWriter;

class E_LinesIndexError : public std::out_of_range
{
public:
    E_LinesIndexError() : std::out_of_range("Index out of bounds") {}
};

struct TSnapLineRecord
{
    int32_t Position = 0;
    bool Horizontal = false;
    bool operator==(const TSnapLineRecord &) const = default;
};

class TSnapLine
{
public:
    int32_t Tolerance = 20;
    int32_t FoundDistance = 0;

    int Count() const { return int(m_lines.size()); }
    const TSnapLineRecord &Get(int i) const;
    void Add(int32_t position, bool horizontal) { m_lines.push_back({position, horizontal}); }
    bool Exists(int32_t position, bool horizontal) const;
    void Delete(int i);
    void SetLine(int i, const TSnapLineRecord &r);
    void Clear() { m_lines.clear(); }
    void RemoveDuplicates();
    // Nearest line of that orientation within Tolerance; of equally near
    // lines the later one. Returns its index or -1.
    int FindNearest(int32_t position, bool horizontal);

    void WriteToStream(TStreamWriter &out) const;
    void ReadFromStream(TStreamReader &in);

private:
    void check(int i) const;
    std::vector<TSnapLineRecord> m_lines;
};
