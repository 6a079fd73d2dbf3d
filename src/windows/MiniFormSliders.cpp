#include "platform/ui/RuntimeError.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"
#include "windows/TwinSliders.h"

using ui::step;

void MiniForm::connectSliders() {
    connectTwinSliders(*this);
    SliderMoveMultimedia(0).Change.connect([this] { SliderMoveMultimedia_Change(); });
}

// Main's member (if any) then sees the mini slider's value, so every other
// part of the program reads and writes Main's sliders only.
void MiniForm::relay(ctlScrollbar& mine, ctlScrollbar& mains, void (Main::*member)()) {
    if (!isLoaded()) return;
    step([&] { mains.setValue(mine.value()); });
    if (member) step([&] { (form<Main>().*member)(); });
}

void MiniForm::SliderMoveMultimedia_GotFocus() {
    relay(SliderMoveMultimedia(0), form<Main>().SliderMoveMultimedia(0), &Main::ScrollbarFocus);
}

// After a seek the volume is applied again from this window's own slider.
void MiniForm::SliderMoveMultimedia_LostFocus() {
    relay(SliderMoveMultimedia(0), form<Main>().SliderMoveMultimedia(0), &Main::ScrollbarLostFocus);
    Volum_Scroll();
}

void MiniForm::SliderMoveMultimedia_Scroll() {
    relay(SliderMoveMultimedia(0), form<Main>().SliderMoveMultimedia(0), &Main::ScrollbarScroll);
}

// A click beside the thumb or on an arrow changes the value before the
// release seeks, and the seek reads Main's slider: it must hold the new value.
void MiniForm::SliderMoveMultimedia_Change() {
    relay(SliderMoveMultimedia(0), form<Main>().SliderMoveMultimedia(0), nullptr);
}

void MiniForm::Volum_Change() {
    relay(Volum, form<Main>().Volum, &Main::VolumChange);
}

void MiniForm::Volum_GotFocus() {
    relay(Volum, form<Main>().Volum, &Main::VolumFocus);
}

void MiniForm::Volum_Scroll() {
    relay(Volum, form<Main>().Volum, &Main::VolumScroll);
}

// Main's labels and sliders, also while minimized.  The maximum goes first,
// so a value beyond the old one is not cut; writing a value raises no event,
// so no relay runs.
void MiniForm::Timer1_Timer() {
    if (!isLoaded()) return;
    Main& main = form<Main>();
    for (auto [mini, from] : {std::pair{&TSec, &main.TSec},
                              {&Titlu, &main.Titlu},
                              {&TotalTime, &main.TotalTime},
                              {&StarePlayer, &main.StarePlayer},
                              {&LabelVideo, &main.LabelVideo}})
        step([&] { mini->setCaption(from->Caption()); });
    for (auto [mini, from] : {std::pair{&SliderMoveMultimedia(0), &main.SliderMoveMultimedia(0)},
                              {&Volum, &main.Volum}}) {
        // An unchanged number is not written again: the write would only repaint.
        step([&] {
            if (mini->max() != from->max()) mini->setMax(from->max());
        });
        step([&] {
            if (mini->value() != from->value()) mini->setValue(from->value());
        });
    }
}
