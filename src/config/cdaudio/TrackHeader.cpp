#include "config/cdaudio/TrackHeader.h"

#include <QFile>

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kOpusGranuleRate = 48000;
constexpr size_t kOggPageHeader = 27;

uint16_t Half(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

uint32_t Word(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint64_t Long(const uint8_t* p)
{
    return uint64_t(Word(p)) | uint64_t(Word(p + 4)) << 32;
}

std::optional<double> WaveLength(const TrackBytes& in)
{
    const uint8_t* p = in.head;
    const size_t size = in.headSize;
    if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
        return std::nullopt;
    uint32_t bytesPerSecond = 0;
    size_t at = 12;
    while (at + 8 <= size) {
        const uint32_t length = Word(p + at + 4);
        const size_t body = at + 8;
        if (std::memcmp(p + at, "fmt ", 4) == 0) {
            if (length < 16 || body + 16 > size)
                return std::nullopt;
            bytesPerSecond = Word(p + body + 8);
        } else if (std::memcmp(p + at, "data", 4) == 0) {
            if (bytesPerSecond == 0 || in.fileSize < body)
                return std::nullopt;
            // A data chunk that claims more than the file holds ends with the file.
            const uint64_t available = in.fileSize - body;
            const uint64_t data = length < available ? length : available;
            return double(data) / double(bytesPerSecond);
        }
        at = body + length + (length & 1);
        if (at < body) // wrapped around
            return std::nullopt;
    }
    return std::nullopt;
}

struct OggStream
{
    uint32_t serial = 0;
    uint32_t rate = 0;
    uint64_t skip = 0; // Opus pre-skip, in granule units
};

std::optional<OggStream> OggIdentification(const TrackBytes& in)
{
    const uint8_t* p = in.head;
    const size_t size = in.headSize;
    if (size < kOggPageHeader || std::memcmp(p, "OggS", 4) != 0 || p[4] != 0)
        return std::nullopt;
    const size_t segments = p[26];
    const size_t packet = kOggPageHeader + segments;
    if (packet > size || segments == 0)
        return std::nullopt;
    const size_t packetSize = p[kOggPageHeader]; // the first packet fits one segment
    if (packet + packetSize > size)
        return std::nullopt;
    OggStream stream;
    stream.serial = Word(p + 14);
    const uint8_t* id = p + packet;
    if (packetSize >= 30 && id[0] == 1 && std::memcmp(id + 1, "vorbis", 6) == 0) {
        stream.rate = Word(id + 12);
    } else if (packetSize >= 19 && std::memcmp(id, "OpusHead", 8) == 0) {
        stream.rate = kOpusGranuleRate;
        stream.skip = Half(id + 10);
    } else {
        return std::nullopt;
    }
    if (stream.rate == 0)
        return std::nullopt;
    return stream;
}

std::optional<double> OggLength(const TrackBytes& in)
{
    const std::optional<OggStream> stream = OggIdentification(in);
    if (!stream || !in.tail || in.tailSize < kOggPageHeader)
        return std::nullopt;
    // The last page of the stream that carries a granule position.
    for (size_t at = in.tailSize - kOggPageHeader + 1; at-- > 0;) {
        const uint8_t* page = in.tail + at;
        if (std::memcmp(page, "OggS", 4) != 0 || page[4] != 0 || Word(page + 14) != stream->serial)
            continue;
        const uint64_t granule = Long(page + 6);
        if (granule == ~uint64_t(0))
            continue;
        if (granule > (uint64_t(1) << 53))
            return std::nullopt;
        const uint64_t samples = granule > stream->skip ? granule - stream->skip : 0;
        return double(samples) / double(stream->rate);
    }
    return std::nullopt;
}

} // namespace

std::optional<double> ParseTrackLength(const TrackBytes& bytes)
{
    if (!bytes.head || bytes.headSize < 4)
        return std::nullopt;
    if (std::memcmp(bytes.head, "RIFF", 4) == 0)
        return WaveLength(bytes);
    if (std::memcmp(bytes.head, "OggS", 4) == 0)
        return OggLength(bytes);
    return std::nullopt;
}

std::optional<double> ReadTrackLength(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file.size();
    const QByteArray head = file.read(qint64(kTrackHeaderBytes));
    QByteArray tail;
    if (size > qint64(kTrackHeaderBytes)) {
        if (!file.seek(size - qint64(kTrackHeaderBytes)))
            return std::nullopt;
        tail = file.read(qint64(kTrackHeaderBytes));
    } else {
        tail = head;
    }
    TrackBytes bytes;
    bytes.head = reinterpret_cast<const uint8_t*>(head.constData());
    bytes.headSize = size_t(head.size());
    bytes.tail = reinterpret_cast<const uint8_t*>(tail.constData());
    bytes.tailSize = size_t(tail.size());
    bytes.fileSize = uint64_t(size < 0 ? 0 : size);
    return ParseTrackLength(bytes);
}
