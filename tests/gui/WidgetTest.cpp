// Widgets and buttons: window pixels to virtual units, the inclusive hit test, button states and clicks.
#include <gtest/gtest.h>

#include <vector>

#include "gui/Button.h"
#include "gui/Widget.h"

namespace {

struct Call {
    enum Kind { Move, Press, Release, Leave } kind;
    float x;
    float y;
    bool operator==(const Call& other) const { return kind == other.kind && x == other.x && y == other.y; }
};

class RecordingWidget : public Widget {
public:
    void draw() const override {}
    void mouseMove(float x, float y) override { calls.push_back({Call::Move, x, y}); }
    void mouseButton(bool down, float x, float y) override
    {
        calls.push_back({down ? Call::Press : Call::Release, x, y});
    }
    void mouseLeave(float x, float y) override { calls.push_back({Call::Leave, x, y}); }
    std::vector<Call> calls;
};

// Writes its tag into the shared log when told, if told about the button it listens to.
struct Clicks : ButtonListener {
    Clicks(std::vector<int>& log, int tag, const Button& button) : log(log), tag(tag), button(button) {}
    void buttonClicked(Button* clicked) override { log.push_back(clicked == &button ? tag : -1); }
    std::vector<int>& log;
    int tag;
    const Button& button;
};

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override { window(1024.0f, 768.0f); }
    void TearDown() override { window(savedWidth, savedHeight); }
    static void window(float width, float height)
    {
        Widget::screenWidth = width;
        Widget::screenHeight = height;
    }
    const float savedWidth = Widget::screenWidth;
    const float savedHeight = Widget::screenHeight;
};

} // namespace

TEST_F(WidgetTest, WindowPixelsAreScaledToVirtualUnits)
{
    window(800.0f, 600.0f);
    // In an 800 by 600 window, pixel (100, 50) is virtual (128, 64) and (140, 50) is (179.2, 64).
    RecordingWidget widget;
    widget.setPosition(10.0f, 10.0f);
    widget.setSize(160.0f, 60.0f); // right edge at 170, bottom at 70
    widget.mouseMoveTest(100.0f, 50.0f);
    widget.mouseMoveTest(140.0f, 50.0f);
    ASSERT_EQ(widget.calls.size(), 2u);
    EXPECT_EQ(widget.calls[0], (Call{Call::Move, 128.0f, 64.0f}));
    EXPECT_EQ(widget.calls[1].kind, Call::Leave);
    EXPECT_FLOAT_EQ(widget.calls[1].x, 179.2f);

    // The same pixel in a 1024 by 768 window is the same virtual position.
    window(1024.0f, 768.0f);
    widget.calls.clear();
    widget.mouseMoveTest(100.0f, 50.0f);
    EXPECT_EQ(widget.calls, (std::vector<Call>{{Call::Move, 100.0f, 50.0f}}));
}

TEST_F(WidgetTest, AllFourEdgesAreInsidePressesOutsideAreIgnoredAndReleasesOutsideLeave)
{
    RecordingWidget widget;
    widget.setPosition(100.0f, 200.0f);
    widget.setSize(50.0f, 20.0f);
    for (const auto& [x, y] : std::vector<std::pair<float, float>>{{100, 200}, {150, 200}, {100, 220}, {150, 220}})
        EXPECT_TRUE(widget.contains(x, y)) << x << ", " << y;
    for (const auto& [x, y] :
         std::vector<std::pair<float, float>>{{99.5f, 210}, {150.5f, 210}, {120, 199.5f}, {120, 220.5f}})
        EXPECT_FALSE(widget.contains(x, y)) << x << ", " << y;

    // Presses outside are ignored, releases outside leave.
    widget.mouseButtonTest(true, 300.0f, 300.0f);
    EXPECT_TRUE(widget.calls.empty());
    widget.mouseButtonTest(false, 300.0f, 300.0f);
    widget.mouseButtonTest(true, 120.0f, 210.0f);
    widget.mouseButtonTest(false, 120.0f, 210.0f);
    EXPECT_EQ(widget.calls,
              (std::vector<Call>{{Call::Leave, 300, 300}, {Call::Press, 120, 210}, {Call::Release, 120, 210}}));

    // A fresh widget is the unit square at the origin.
    RecordingWidget fresh;
    EXPECT_TRUE(fresh.contains(1.0f, 1.0f));
    EXPECT_FALSE(fresh.contains(1.5f, 0.0f));
}

TEST_F(WidgetTest, ButtonGoesThroughItsStatesAndClicksOnRelease)
{
    Button button;
    button.setPosition(100.0f, 100.0f);
    button.setSize(100.0f, 40.0f);
    std::vector<int> log;
    Clicks first(log, 1, button);
    Clicks second(log, 2, button);
    EXPECT_EQ(button.registerListener(&first), 1);
    EXPECT_EQ(button.registerListener(&second), 2);
    EXPECT_EQ(button.getState(), Button::Normal);

    button.mouseMoveTest(150.0f, 120.0f);
    EXPECT_EQ(button.getState(), Button::Over);
    button.mouseButtonTest(true, 150.0f, 120.0f);
    EXPECT_EQ(button.getState(), Button::Pressed);
    button.mouseMoveTest(160.0f, 125.0f);
    EXPECT_EQ(button.getState(), Button::Pressed) << "moving over a pressed button keeps it pressed";
    button.mouseButtonTest(false, 160.0f, 125.0f);
    EXPECT_EQ(button.getState(), Button::Over);
    EXPECT_EQ(log, (std::vector<int>{1, 2}));

    // Pressed, then released outside: back to normal, nobody told.
    button.mouseButtonTest(true, 150.0f, 120.0f);
    button.mouseButtonTest(false, 500.0f, 500.0f);
    EXPECT_EQ(button.getState(), Button::Normal);
    EXPECT_EQ(log.size(), 2u);

    // A press outside does nothing at all; a release over the button still clicks.
    button.mouseMoveTest(150.0f, 120.0f);
    button.mouseButtonTest(true, 500.0f, 500.0f);
    EXPECT_EQ(button.getState(), Button::Over);
    button.mouseButtonTest(false, 150.0f, 120.0f);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 1, 2}));

    button.mouseMoveTest(10.0f, 10.0f);
    EXPECT_EQ(button.getState(), Button::Normal);

    // A listener registered twice is told twice.
    EXPECT_EQ(button.registerListener(&first), 3);
    button.mouseButton(false, 0.0f, 0.0f);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 1, 2, 1, 2, 1}));
}
