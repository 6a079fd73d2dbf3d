#include "platform/ui/RuntimeError.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using ui::step;

// Each relay copies the mini slider's value into Main's slider of the same
// role, then lets Main's member act on it.
void MiniForm::connectSliders() {
    Volum.Change.connect([this] {
        step([&] { form<Main>().Volum.setValue(Volum.value()); });
        form<Main>().VolumChange();
    });
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
