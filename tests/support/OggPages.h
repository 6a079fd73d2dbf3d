#pragma once

#include <QByteArray>

namespace testsupport {

// Ogg pages of a stream that is not Vorbis (a made-up codec): its first page and
// its last.
struct ForeignStream {
    QByteArray first;
    QByteArray last;
};
ForeignStream foreignOggStream(int serial);

// An Ogg Vorbis file with a foreign stream beside its Vorbis stream: the foreign
// stream's first page goes before the Vorbis pages (first pages come first in a
// multiplexed file), its last page after them.
QByteArray withForeignStream(const QByteArray& oggVorbis);

// The file with bytes of its first page's body replaced, the page's checksum
// made good again: a header that lies rather than a broken page.
QByteArray withFirstPagePatched(const QByteArray& ogg, int bodyOffset, const QByteArray& bytes);

}  // namespace testsupport
