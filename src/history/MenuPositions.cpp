#include "history/MenuPositions.h"

namespace history {

int ItemPositionFromPlatform(int platformPosition, bool personalEmptyHidden, int clipboardSeparatorIndex,
                             bool clipboardEmptyHidden) {
    int position = platformPosition;
    if (personalEmptyHidden) ++position;
    if (position > clipboardSeparatorIndex && clipboardEmptyHidden) ++position;
    return position;
}

}  // namespace history
