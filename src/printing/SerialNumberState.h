#pragma once
// The running numbers and value-list places of every serial-number frame
// a print request can use, so that numbers of labels that never reached
// paper can be given back.

#include "PrintRequest.h"

#include <cstdint>
#include <utility>
#include <vector>

class TCDLPage;
class TCDLSerNo;

class TSerialNumberState
{
public:
    explicit TSerialNumberState(const TPrintRequest &request);
    // The frames' numbers and the pages' changed flags as they are now.
    void Take();
    void Restore() const;
    bool operator==(const TSerialNumberState &other) const = default;

private:
    std::vector<std::pair<TCDLSerNo *, int32_t>> m_counters;
    std::vector<std::pair<TCDLPage *, bool>> m_modified;
};
