#pragma once

#include "controls/ctlScrollbar.h"

// Main and the mini window carry the same seek and volume sliders with
// handlers of the same six names; both wire them here.
template <class Window>
void connectTwinSliders(Window& w) {
    ctlScrollbar& seek = w.SliderMoveMultimedia(0);
    seek.GotFocus.connect([&w] { w.SliderMoveMultimedia_GotFocus(); });
    seek.LostFocus.connect([&w] { w.SliderMoveMultimedia_LostFocus(); });
    seek.Scroll.connect([&w] { w.SliderMoveMultimedia_Scroll(); });
    w.Volum.Change.connect([&w] { w.Volum_Change(); });
    w.Volum.GotFocus.connect([&w] { w.Volum_GotFocus(); });
    w.Volum.Scroll.connect([&w] { w.Volum_Scroll(); });
}
