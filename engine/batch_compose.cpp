#include <stdexcept>
#include <string>

#include "catalogue.h"
#include "engine.h"

namespace lumetra {

void Engine::ComposeBatchEffect(int index)
{
    // An index outside the list would hand back the source picture as if it were the
    // effect, so it is refused before anything changes.
    if (index < 0 || index >= kBatchEffectCount)
        throw std::out_of_range("no batch effect has index " + std::to_string(index));
    ComposeEffect(SlotOfBatchIndex(index));
    ReleaseLayers();
    ApplyPostFilters();
}

}  // namespace lumetra
