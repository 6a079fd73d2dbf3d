#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>

#include "support/display/DisplaySession.h"

namespace displaytest {

// Where the playlist window's second row is: its list starts 24 pixels down
// and its rows are 11 pixels high.
inline constexpr QPoint kSecondRow{60, 41};
// The library's editor shows this title once the second row was clicked.
inline constexpr const char* kClickedTitle = "Clicked";

// A playlist of count entries whose second one is a real file tagged
// kClickedTitle (the others need not exist: nothing reads them at start).
inline void writeClickedList(PlayerSession& s, int count) {
    const QByteArray title = kClickedTitle;
    const QByteArray tag =
        "TAG" + title + QByteArray(30 - title.size(), '\0') + QByteArray(94, '\0') + '\x0C';
    const QString clicked = s.program().write("Music/b.mp3", QByteArray(200, 'x') + tag);
    QByteArray list = "/music/a.mp3\r\n" + clicked.toUtf8() + "\r\n";
    list.reserve(70 * qsizetype{count});
    for (int i = 2; i < count; ++i)
        list += "/home/user/Music/Artist " + QByteArray::number(i % 300) + "/Album " +
                QByteArray::number(i % 40) + "/" + QByteArray::number(i) +
                " - Some song title.mp3\r\n";
    s.program().write("Data/plst.data", list);
}

}  // namespace displaytest
