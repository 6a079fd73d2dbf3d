#pragma once

#include <QImage>

#include "controls/Snap.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace testsupport {

inline QImage shown(const ui::Picture& p) {
    return p.image().convertToFormat(QImage::Format_RGB32);
}

inline QImage builtPicture(const QString& skin, const QString& file) {
    return QImage(QStringLiteral(PLENK_BUILT_SKINS "/") + skin + "/" + file)
        .convertToFormat(QImage::Format_RGB32);
}

// The ten picture properties of a slider, in the load's order.
inline std::vector<QImage> sliderPictures(ctlScrollbar& s) {
    std::vector<QImage> all{shown(s.BackgroundPicture())};
    for (auto [part, look] :
         {std::pair{1, 0}, {1, 1}, {1, 2}, {0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 1}, {2, 2}})
        all.push_back(shown(s.ButtonPicture(part, look)));
    return all;
}

// The ten pictures a skin's "h-scrollbar-" files give a slider.
inline std::vector<QImage> skinSliderPictures(const QString& skin) {
    std::vector<QImage> all;
    for (const char* file : {"background", "right", "right", "right", "left", "left", "left",
                             "thumb", "thumb-focus", "thumb-focus"})
        all.push_back(builtPicture(skin, QStringLiteral("h-scrollbar-%1.bmp").arg(file)));
    return all;
}

// A started player with the built skins, and the mini window reached as the
// menu's switch reaches it.
struct MiniFixture : SkinFixture {
    MiniFixture() : SkinFixture(true) {}

    bool miniLoaded() { return app->isLoaded<MiniForm>(); }
    MiniForm& mini() { return form<MiniForm>(); }
    // Main hidden, the mini window loaded at Main's place and shown.
    MiniForm& enterMini() {
        Main& m = form<Main>();
        m.Hide();
        MiniForm& w = form<MiniForm>();
        w.Move(m.Left(), m.Top());
        w.Show();
        form<DataForm>().MiniMode.setCaption("True");
        return w;
    }
    bool snapped(ui::Form& w) {
        const std::vector<int> handles = app->module<Snap>().registered();
        return std::find(handles.begin(), handles.end(), w.hWnd()) != handles.end();
    }
};

}  // namespace testsupport
