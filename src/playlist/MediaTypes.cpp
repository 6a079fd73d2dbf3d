#include "playlist/MediaTypes.h"

#include <QStringList>
#include <algorithm>

namespace {

const QStringList kDropExtensions = {
    ".mp3",  ".wav", ".mpg", ".avi",  ".mov", ".wmv",  ".mpv", ".mpe", ".mpa", ".qt",
    ".ogm",  ".snd", ".rmi", ".divx", ".wma", ".mpeg", ".cda", ".mp2", ".mp1", ".mid",
    ".midi", ".vob", ".dat", ".asf",  ".m2v", ".mp4",  ".flv", ".3gp", ".ogg"};

}  // namespace

bool isDroppableMedia(const QString& path) {
    return std::any_of(kDropExtensions.begin(), kDropExtensions.end(),
                       [&](const QString& ext) { return path.endsWith(ext, Qt::CaseInsensitive); });
}

const QString& folderWalkPattern() {
    static const QString pattern =
        "*.mp3;*.mp4;*.wav;*.mpg;*.avi;*.mov;*.wmv;*.mpv;*.mpe;*.mpa;*.qt;*.ogm;*.snd;*rmi;"
        "*.divx;*.wma;*.mpeg;*.cda;*.mp2;*.mp1;*.mid;*.midi;*.vob;*.dat;*.asf;*.flv;*.M2V;*3gp;"
        "*.ogg";
    return pattern;
}

bool fitsOnOneLine(const QString& path) {
    return !path.contains(u'\r') && !path.contains(u'\n');
}
