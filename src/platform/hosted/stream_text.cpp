// Reads until the stream reports its end.
#include "platform/hosted/stream_text.h"

namespace tavlin::hosted {

std::string readWholeStream(Stream& stream) {
    std::string bytes;
    char chunk[8192];
    for (;;) {
        const std::size_t n = stream.read(chunk, sizeof chunk);
        if (n == 0) return bytes;
        bytes.append(chunk, n);
    }
}

}  // namespace tavlin::hosted
