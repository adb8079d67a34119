#pragma once

#include <QRect>

// Window layouts are given in twips (1/1440 inch); at 96 dots per inch 15 twips
// make one pixel.
constexpr int TwipsPerPixel = 15;

int twipsToPixels(int twips);
QRect twipsRect(int left, int top, int width, int height);
