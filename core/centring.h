// Where a dialog goes when it is centred on the screen.
#pragma once

namespace tessel::centring {

struct Position {
    int x;
    int y;
};

// Top-left corner that centres a window of w x h pixels on a screen of
// screenWidth x screenHeight pixels.  A screen wider than 4:3 is treated as a
// 4:3 area at its left edge (width := screenHeight * 4 / 3), so on two screens
// side by side the window is centred on the first one.  The halves are signed
// and truncate toward zero; a window larger than the screen gets a negative
// position.
Position centredPosition(int screenWidth, int screenHeight, int w, int h);

}  // namespace tessel::centring
