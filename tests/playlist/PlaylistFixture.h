#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>

#include "playlist/ClsPl.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "support/TempDir.h"

namespace playlisttest {

inline QByteArray field(const QByteArray& text, int width, char pad = '\0') {
    return text.leftJustified(width, pad, true);
}

// An ID3v1 tag block with the given title and artist.
inline QByteArray tagBlock(const QByteArray& title, const QByteArray& artist, char pad = '\0') {
    return "TAG" + field(title, 30, pad) + field(artist, 30, pad) + field("", 30) + field("", 4) +
           field("", 30) + '\x11';
}

// Some audio-like bytes followed by a tag.
inline QByteArray tagged(const QByteArray& title, const QByteArray& artist) {
    return QByteArray(200, 'a') + tagBlock(title, artist);
}

// A started player with its playlist lists at hand and a folder for trees
// of media files.
class PlaylistFixture : public ::testing::Test {
  protected:
    testsupport::PlayerFixture p;
    testsupport::TempDir music;
    ClsPl pl{*p.app};
    ui::ListBox& rows = p.form<Playlist>().PicList;
    ui::ListBox& paths = p.form<DataForm>().ListaCale;

    QString put(const QString& relative, const QByteArray& bytes = "x") {
        return music.write(relative, bytes);
    }
    // Entries already in the playlist, showing their file names.
    void preload(int count) {
        for (int i = 0; i < count; ++i) {
            paths.AddItem(QString("/old/e%1.mp3").arg(i));
            rows.AddItem(QString("e%1").arg(i));
        }
    }
    void expectInStep() {
        ASSERT_EQ(rows.ListCount(), paths.ListCount());
        for (int i = 0; i < paths.ListCount(); ++i)
            EXPECT_EQ(rows.List(i), ClsPl::displayName(paths.List(i))) << "row " << i;
    }
    // The paths relative to the music folder.
    QStringList relativePaths() const {
        QStringList out;
        for (const QString& path : paths.items())
            out << (path.startsWith(music.path()) ? path.mid(music.path().size() + 1) : path);
        return out;
    }
};

}  // namespace playlisttest
