// Placeholder until the codec lands; the codec's own files replace this one.
#include "compress/codec_frame.h"

namespace tavlin {

void ExpandLZH(TCompThreadSafety&, std::int32_t) { throw Exception("LZH codec not built yet"); }
void CompressLZH(TCompThreadSafety&) { throw Exception("LZH codec not built yet"); }

}  // namespace tavlin
