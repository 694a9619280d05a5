// zlib inflation bounded by the destination: the stream is fed whole and must end inside the
// room given, so a forged stream can neither overrun the buffer nor pass for complete.
#include "core/datafile/inflate.h"

#include <zlib.h>

namespace {

UINT InflateInto(const void* source, UINT sourceLength, void* destination, UINT destinationSize, bool exact) {
    if (!source || !destination || sourceLength == 0 || destinationSize == 0) return 0;
    z_stream stream{};
    stream.next_in = static_cast<Bytef*>(const_cast<void*>(source));
    stream.avail_in = sourceLength;
    stream.next_out = static_cast<Bytef*>(destination);
    stream.avail_out = destinationSize;
    if (inflateInit(&stream) != Z_OK) return 0;
    const int status = inflate(&stream, Z_FINISH);
    const UINT produced = static_cast<UINT>(stream.total_out);
    const bool allInput = stream.avail_in == 0;
    inflateEnd(&stream);
    if (status != Z_STREAM_END || produced == 0) return 0;
    if (exact && !allInput) return 0;
    return produced;
}

}  // namespace

UINT Inflate(const void* source, UINT sourceLength, void* destination, UINT destinationSize) noexcept {
    return InflateInto(source, sourceLength, destination, destinationSize, false);
}

UINT InflateExact(const void* source, UINT sourceLength, void* destination, UINT destinationSize) noexcept {
    return InflateInto(source, sourceLength, destination, destinationSize, true);
}
