#include "engine/DiskTable.h"

#include "engine/RenderState.h"

#include <cmath>

namespace vel {

void BuildDiskTable(DiskTable& table)
{
    for (int i = 0; i < 100; ++i) {
        for (int j = 0; j < 100; ++j) {
            const int squared = i * i + j * j;
            table.Values[i][j] =
                squared <= 10000 ? uint8_t(255.0f * (1.0f - std::sqrt(float(squared)) / 100.0f)) : 0;
        }
    }
}

void PrepareDiskTable(RenderState& state)
{
    if (state.TablesReady)
        return;
    BuildDiskTable(state.Disk);
    state.TablesReady = true;
}

} // namespace vel
