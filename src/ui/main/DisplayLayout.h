#pragma once

// Where the main window's controls go once the time display has been fitted to its sample
// text, and how large the window must be. All values are pixels.

struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
    int width = 0;
    int height = 0;
    bool operator==(const LayoutSize&) const = default;
};

// The sizes the layout keeps from the window design.
struct KeptSizes {
    LayoutSize roundTitle{74, 21};
    LayoutSize round{65, 25};
    LayoutSize startButton{25, 17};
    LayoutSize clearButton{25, 17};
    int statusHeight = 33;
    LayoutSize focusButton{17, 17};
};

struct DisplayLayout {
    LayoutRect roundTitle;
    LayoutRect round;
    LayoutRect display;
    LayoutRect startButton;
    LayoutRect clearButton;
    LayoutRect status;
    LayoutRect focusButton;  // beyond the right edge: takes the focus, never seen
    LayoutSize outer;        // the window's outer size, frame, caption and menu bar included
};

// The display text with one extra character: the display is sized to hold it.
inline constexpr const char* DisplaySample = "00:00:00-";

// Places every control around a display that measures `display` (its own fitted size,
// border included).
DisplayLayout ComputeDisplayLayout(LayoutSize display, const KeptSizes& kept = {});

// The outer size assumes nominal window metrics: a 4 px frame on each side, a 19 px caption
// and a 19 px menu bar. This gives the area below the menu bar that the outer size leaves.
LayoutSize ContentSizeForOuter(LayoutSize outer);
