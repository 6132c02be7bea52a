#pragma once
// The platform menu holds only the visible items, so its positions differ from
// the item positions of mniHistory when an "empty" marker is hidden.
namespace history {

// The item position for a position reported by the platform (its default
// item, the item under a right-click).
int ItemPositionFromPlatform(int platformPosition, bool personalEmptyHidden, int clipboardSeparatorIndex,
                             bool clipboardEmptyHidden);

}  // namespace history
