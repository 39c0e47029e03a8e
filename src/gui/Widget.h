// Mouse widgets: rectangles in the 1024 by 768 virtual screen that take window pixel positions,
// scale them by the window size published at start-up, and route them to themselves.
#pragma once

class Widget {
public:
    // The window's size in pixels, set by the Application once the window is open.
    static float screenWidth;
    static float screenHeight;

    virtual ~Widget() = default;

    virtual void draw() const = 0;
    // Positions in virtual units, already known to be inside the widget.
    virtual void mouseMove(float x, float y) = 0;
    virtual void mouseButton(bool down, float x, float y) = 0;
    // The mouse is outside the widget (position in virtual units).
    virtual void mouseLeave(float x, float y);

    void setPosition(float newX, float newY);
    void setSize(float newWidth, float newHeight);

    // x and y in window pixels: mouseMove when inside, mouseLeave when outside.
    void mouseMoveTest(float x, float y);
    // x and y in window pixels: mouseButton when inside; outside, mouseLeave for a release and
    // nothing for a press.
    void mouseButtonTest(bool down, float x, float y);

    // Edges included on all four sides.
    bool contains(float virtualX, float virtualY) const;
    static float toVirtualX(float x);
    static float toVirtualY(float y);

protected:
    float x = 0.0f;
    float y = 0.0f;
    float width = 1.0f;
    float height = 1.0f;
};
