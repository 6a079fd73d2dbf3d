#pragma once

#include <gtest/gtest.h>

#include <QSize>

#include "core/ClsMain.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace maintest {

// A started player with the main window and its neighbours at hand.
class MainFixture : public ::testing::Test {
  protected:
    testsupport::PlayerFixture p;
    Main& m = p.form<Main>();
    DataForm& d = p.form<DataForm>();
    Playlist& list = p.form<Playlist>();
    MediaLibrary& library = p.form<MediaLibrary>();
    Options& o = p.form<Options>();

    // A scripted medium played through the media engine; a picture makes it a video.
    void playMedium(const QString& name, std::optional<QSize> picture = QSize(320, 240)) {
        const QString path = p.program.write("media/" + name, "x");
        p.media().addMedium(path.toStdString(), {60000, 25, picture});
        m.LbFileName(0).setCaption(path);
        d.FromPlaylist.setCaption("False");
        m.controller().Play();
    }
    // What the mini mode switch does: the mini window stands in for the main window.
    MiniForm& enterMiniMode(float left = 2000, float top = 1000) {
        MiniForm& mini = p.form<MiniForm>();
        mini.Move(left, top);
        m.Hide();
        mini.Show();
        d.MiniMode.setCaption("True");
        return mini;
    }
    void tick(int ms) { p.clock->advance(ms); }
};

}  // namespace maintest
