#pragma once
// A frame of the main window: a group box and the controls inside it, held in a child window of
// their own, so that showing or hiding a step shows or hides all of it at once and the dialog
// keyboard (Tab, access keys) reaches its controls. The controls' notifications go on to the
// frame's parent as if the controls were its own.
#include <windows.h>

namespace barloom {

// The group box of the frame `frameId` has the ID frameId + FrameBoxOffset.
inline constexpr int FrameBoxOffset = 10;

// The frame window at `place` (parent's client coordinates), hidden, with a group box of
// `groupBoxId` filling it; nullptr when it cannot be created.
HWND CreateFrameWindow(HWND parent, int frameId, int groupBoxId, const RECT& place);

// Moves the frame and resizes its group box with it.
void PlaceFrameWindow(HWND frame, int groupBoxId, const RECT& place);

}  // namespace barloom
