#pragma once
// Where a hint window goes: inside the desktop, whatever the caller asked for.
namespace toolkit {

struct HintBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const HintBox&) const = default;
};

// Moves `box` (its size kept) left where it would cross the desktop's right
// edge and up where it would cross the bottom; then never left of the left
// edge nor above the top, even when that leaves a part outside on the right
// or at the bottom.
HintBox KeepInsideDesktop(HintBox box, const HintBox& desktop);

}  // namespace toolkit
