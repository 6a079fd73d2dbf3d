#pragma once

#include "platform/ui/Control.h"

// The skinnable scroll bar and slider of the seek, volume and equalizer
// sliders and the playlist.  Writing value keeps it within min and max and
// raises no event; the user's drag raises Scroll, a step by press raises Change.
class ctlScrollbar : public ui::Control {
  public:
    enum { vertical = 0, horizontal = 1 };

    ctlScrollbar(ui::Form& form, QString name, int orientation = vertical);

    double value() const;
    void setValue(double v);
    // A text is read as a number in the user's locale; one that is no number
    // fails and the value stays.
    void setValue(const QString& text);
    double max() const;
    void setMax(double v);
    double min() const;
    void setMin(double v);
    double SmallChange() const;
    void setSmallChange(double v);
    double LargeChange() const;
    void setLargeChange(double v);
    int Orientation() const;

    ui::Event<> Scroll{"Scroll"};
    ui::Event<> Change{"Change"};

    // Input from the widget: the thumb dragged to a fraction of the track, or
    // a press beside it (direction -1 or +1).
    void userDragged(double fraction);
    void userPaged(int direction);
    double fraction() const;

  private:
    struct State {
        double value = 0;
        double min = 0;
        double max = 100;
        double smallChange = 1;
        double largeChange = 10;
        int orientation = vertical;
    };
    void repaint();

    State state_;
};
