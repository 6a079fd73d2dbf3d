#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

#include "platform/ui/VideoWindow.h"

namespace {

// A frame drawn by its window (not native), counting the moves it is told of.
class Frame : public QWidget {
  public:
    using QWidget::QWidget;
    int moves = 0;

  protected:
    void mouseMoveEvent(QMouseEvent*) override { ++moves; }
};

// The picture's native window stays under its frame when only the frame
// moves, and a move over the picture without a button is the frame's.
TEST(VideoWindow, FollowsItsMovingFrameAndLeavesMovesToIt) {
    QWidget top;
    top.resize(400, 300);
    auto* frame = new Frame(&top);
    frame->setMouseTracking(true);
    frame->setGeometry(10, 40, 200, 150);
    ui::VideoWindow video(frame);
    video.place(QRect(1, 1, 160, 120));
    top.show();
    ASSERT_NE(video.widget()->windowHandle(), nullptr);
    EXPECT_EQ(video.widget()->windowHandle()->position(), QPoint(11, 41));

    frame->move(10, 0);
    EXPECT_EQ(video.widget()->windowHandle()->position(), QPoint(11, 1));
    frame->move(30, 20);
    EXPECT_EQ(video.widget()->windowHandle()->position(), QPoint(31, 21));

    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(36, 26), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(video.widget(), &move);
    EXPECT_EQ(frame->moves, 1);
}

// A closed surface's window stays in its frame, hidden (a press on it may
// still be on its way), and the next surface there draws into it.
TEST(VideoWindow, AClosedSurfaceLeavesItsWindowHiddenForTheNextOne) {
    QWidget frame;
    QPointer<QWidget> first;
    {
        ui::VideoWindow video(&frame);
        video.place(QRect(0, 0, 16, 12));
        first = video.widget();
    }
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isHidden());
    ui::VideoWindow next(&frame);
    EXPECT_EQ(next.widget(), first.data());
    ui::VideoWindow another(&frame);
    EXPECT_NE(another.widget(), first.data()) << "one surface to a window";
}

}  // namespace
