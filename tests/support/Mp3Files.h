#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

// An MP3 file of our own making, encoded by libsndfile: a tone with a little
// noise, so the encoder has something to spend bits on.
struct Mp3Recipe {
    int sampleRate = 44100;
    int channels = 2;
    double seconds = 2.0;
    // libsndfile's compression level: 0 the highest bitrate, 1 the lowest.
    double level = 0.5;
    // Variable bitrate files carry a Xing header; constant ones an "Info" header.
    bool variable = false;
};

// Writes the file and returns its path; an empty text when encoding failed.
QString writeMp3(const QString& path, const Mp3Recipe& recipe);

// `count` copies of one short MP3 in a folder, each with an ID3v1 tag of its
// own ("Artist n" and "Title n"); returns their paths.
QStringList writeTaggedMp3s(const QString& folder, int count);

}  // namespace testsupport
