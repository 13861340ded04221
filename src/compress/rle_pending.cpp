// Placeholder until the codec lands; the codec's own files replace this one.
#include "compress/codec_frame.h"

namespace tavlin {

void ExpandRLE(TCompThreadSafety&) { throw Exception("RLE codec not built yet"); }
void CompressRLE(TCompThreadSafety&) { throw Exception("RLE codec not built yet"); }

}  // namespace tavlin
