// Placeholder until the codec lands; the codec's own files replace this one.
#include "compress/codec_frame.h"

namespace tavlin {

void ExpandLH5(TCompThreadSafety&, std::int32_t) { throw Exception("LH5 codec not built yet"); }
void CompressLH5(TCompThreadSafety&) { throw Exception("LH5 codec not built yet"); }

}  // namespace tavlin
