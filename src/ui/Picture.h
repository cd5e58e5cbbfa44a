#pragma once
// A picture that an Image shows, drawn stretched into a rectangle.
#include <windows.h>

namespace qel::ui {

class Picture {
public:
    virtual ~Picture() = default;
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Draws the picture stretched over the rectangle. Drawing never throws: a picture whose data
    // cannot be decoded draws nothing.
    virtual void Draw(HDC dc, const RECT& area) = 0;
};

}  // namespace qel::ui
