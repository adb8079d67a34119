#include "platform/TwipsLayout.h"

#include <cmath>

int twipsToPixels(int twips)
{
    return int(std::lround(double(twips) / TwipsPerPixel));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
