// The tool's segment reader: a TSegCompEZ on the host's files whose prompts for
// a missing or wrong segment are answered with Cancel, since a command line has
// no one to insert a disk; the prompt's own words then become the error.
#pragma once

#include <functional>
#include <string>

#include "segment/seg_comp_ez.h"
#include "tool_command.h"

namespace tavlin::tool {

// Checks the media folder, sets up a reader for its "disk.NNN" set with the
// temporary folder, lets prepare add handlers, and runs SegExpandAll.
void ReadSegmentSet(ToolContext& context, const std::string& media, const std::string& tempFolder,
                    const std::function<void(TSegCompEZ&)>& prepare);

}  // namespace tavlin::tool
