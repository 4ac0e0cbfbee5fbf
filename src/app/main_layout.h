// Geometry of the main window that does not depend on the platform.
#pragma once

namespace corvane::app {

inline constexpr int kMainDefaultWidth = 690;
inline constexpr int kMainMinHeight = 450;
inline constexpr int kMainMaxHeight = 936;
inline constexpr int kLabelColumnWidth = 250;  // what a value cell leaves of the window width

// First showing: 936 pixels high on screens taller than that, else the screen
// height less 50 (room for a taskbar).
constexpr int FirstShowHeight(int screen_height) {
  return screen_height > kMainMaxHeight ? kMainMaxHeight : screen_height - 50;
}

// Value cells follow the window width; the label column keeps its width.
constexpr int ValueCellWidth(int window_width) { return window_width - kLabelColumnWidth; }

}  // namespace corvane::app
