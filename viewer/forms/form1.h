#pragma once
// Sizes of the main window's fixed arrangement at rest, shared by the
// component tree (form1.cpp) and the layout handlers.

namespace form1 {

inline constexpr int kBaseWidth = 1210;       // kabeBASE
inline constexpr int kBaseHeight = 750;
inline constexpr int kFolderPaneWidth = 200;  // hyoushi when open
inline constexpr int kColumnWidth = 220;      // kabeRight when open
inline constexpr int kBottomBarHeight = 25;   // kabedown
inline constexpr int kFolderButtonsHeight = 33; // Panel5
inline constexpr int kColumnButtonsHeight = 36; // Panel3

} // namespace form1
