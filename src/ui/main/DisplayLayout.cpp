#include "ui/main/DisplayLayout.h"

#include <algorithm>

namespace {
constexpr int LeftMargin = 10;
constexpr int GapAboveDisplay = 10;
constexpr int GapBelowDisplay = 5;
constexpr int GapStatusToButtons = 5;
constexpr int FocusButtonOffset = 30;
constexpr int WidthAllowance = 25;
constexpr int HeightAllowance = 45;

constexpr int NominalFrame = 4;
constexpr int NominalCaption = 19;
constexpr int NominalMenuBar = 19;
}  // namespace

DisplayLayout ComputeDisplayLayout(LayoutSize display, const KeptSizes& kept) {
    DisplayLayout l;
    l.roundTitle = {LeftMargin, 0, kept.roundTitle.width, kept.roundTitle.height};
    l.round = {l.roundTitle.left + l.roundTitle.width, l.roundTitle.top, kept.round.width,
               kept.round.height};
    l.display = {l.roundTitle.left, l.roundTitle.top + l.roundTitle.height + GapAboveDisplay,
                 display.width, display.height};
    l.startButton = {l.display.left + l.display.width - kept.startButton.width,
                     l.display.top + l.display.height + GapBelowDisplay, kept.startButton.width,
                     kept.startButton.height};
    l.clearButton = {l.startButton.left, l.startButton.top + l.startButton.height,
                     kept.clearButton.width, kept.clearButton.height};
    // A display too narrow for the status line (only from a tiny hand-edited font size)
    // leaves it empty rather than negative.
    l.status = {l.display.left, l.startButton.top,
                std::max(0, l.startButton.left - l.display.left - GapStatusToButtons),
                kept.statusHeight};
    l.focusButton = {l.startButton.left + l.startButton.width + FocusButtonOffset,
                     l.startButton.top, kept.focusButton.width, kept.focusButton.height};
    l.outer = {l.display.width + WidthAllowance, l.roundTitle.height + HeightAllowance +
                                                     GapAboveDisplay + l.display.height +
                                                     GapBelowDisplay + l.status.height + 5};
    return l;
}

LayoutSize ContentSizeForOuter(LayoutSize outer) {
    return {outer.width - 2 * NominalFrame,
            outer.height - 2 * NominalFrame - NominalCaption - NominalMenuBar};
}
