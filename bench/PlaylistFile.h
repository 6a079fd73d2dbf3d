#pragma once

#include <QByteArray>
#include <QString>

// The lines of a playlist file of `entries` paths, as the player writes it.
inline QByteArray playlistFile(int entries) {
    QByteArray bytes;
    for (int i = 0; i < entries; ++i)
        bytes += QString("/home/user/Music/Artist %1/Album %2/%3 - Some song title.mp3\r\n")
                     .arg(i % 300)
                     .arg(i % 40)
                     .arg(i)
                     .toUtf8();
    return bytes;
}

// The tag titles of those entries, as the player keeps them beside the paths.
inline QByteArray tagTextsFile(int entries) {
    QByteArray bytes;
    for (int i = 0; i < entries; ++i)
        bytes += QString("Artist %1 - %2 Some song title\r\n").arg(i % 300).arg(i).toUtf8();
    return bytes;
}
