// Widget hit testing in virtual units; the window size is the one the Application opened.
#include "gui/Widget.h"

#include "draw/Drawer.h"

float Widget::screenWidth = 0.0f;
float Widget::screenHeight = 0.0f;

void Widget::mouseLeave(float, float) {}

void Widget::setPosition(float newX, float newY)
{
    x = newX;
    y = newY;
}

void Widget::setSize(float newWidth, float newHeight)
{
    width = newWidth;
    height = newHeight;
}

float Widget::toVirtualX(float pixelX)
{
    return pixelX / (screenWidth / static_cast<float>(Drawer::virtualWidth));
}

float Widget::toVirtualY(float pixelY)
{
    return pixelY / (screenHeight / static_cast<float>(Drawer::virtualHeight));
}

bool Widget::contains(float virtualX, float virtualY) const
{
    return x <= virtualX && virtualX <= x + width && y <= virtualY && virtualY <= y + height;
}

void Widget::mouseMoveTest(float pixelX, float pixelY)
{
    const float virtualX = toVirtualX(pixelX);
    const float virtualY = toVirtualY(pixelY);
    if (contains(virtualX, virtualY))
        mouseMove(virtualX, virtualY);
    else
        mouseLeave(virtualX, virtualY);
}

void Widget::mouseButtonTest(bool down, float pixelX, float pixelY)
{
    const float virtualX = toVirtualX(pixelX);
    const float virtualY = toVirtualY(pixelY);
    if (contains(virtualX, virtualY))
        mouseButton(down, virtualX, virtualY);
    else if (!down)
        mouseLeave(virtualX, virtualY);
}
