#include "support/OggPages.h"

#include <ogg/ogg.h>

namespace testsupport {

namespace {

QByteArray flushed(ogg_stream_state& stream) {
    QByteArray bytes;
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        bytes.append(reinterpret_cast<const char*>(page.header), page.header_len);
        bytes.append(reinterpret_cast<const char*>(page.body), page.body_len);
    }
    return bytes;
}

QByteArray page(ogg_stream_state& stream, const QByteArray& data, bool first, bool last) {
    ogg_packet packet{};
    packet.packet = reinterpret_cast<unsigned char*>(const_cast<char*>(data.constData()));
    packet.bytes = data.size();
    packet.b_o_s = first ? 1 : 0;
    packet.e_o_s = last ? 1 : 0;
    packet.granulepos = 0;
    ogg_stream_packetin(&stream, &packet);
    return flushed(stream);
}

}  // namespace

ForeignStream foreignOggStream(int serial) {
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    ForeignStream pages;
    pages.first = page(stream, QByteArray("\x7fplenkdata\x01\x00", 12), true, false);
    pages.last = page(stream, QByteArray(40, 'x'), false, true);
    ogg_stream_clear(&stream);
    return pages;
}

QByteArray withForeignStream(const QByteArray& oggVorbis) {
    const ForeignStream foreign = foreignOggStream(0x5A5A5A5A);
    return foreign.first + oggVorbis + foreign.last;
}

QByteArray withFirstPagePatched(const QByteArray& ogg, int bodyOffset, const QByteArray& bytes) {
    QByteArray patched = ogg;
    const int segments = static_cast<unsigned char>(patched[26]);
    const int headerBytes = 27 + segments;
    int bodyBytes = 0;
    for (int i = 0; i < segments; ++i)
        bodyBytes += static_cast<unsigned char>(patched[27 + i]);
    patched.replace(headerBytes + bodyOffset, bytes.size(), bytes);
    auto* data = reinterpret_cast<unsigned char*>(patched.data());
    ogg_page page{data, headerBytes, data + headerBytes, bodyBytes};
    ogg_page_checksum_set(&page);
    return patched;
}

}  // namespace testsupport
