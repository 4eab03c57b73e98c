// A stream made before played through rux2's exports as the engine plays it, for its report.
#pragma once

#include <string>

#include "report/stream_listening.h"
#include "rux2_library/rux2_exports.h"

// intro and loopPart: the parts' bytes (intro empty for a single stream, which may begin with a
// header). Plays the introduction, the loop part, then the loop part again as far as the listening
// wants; or the single stream and itself again. Empty, or why the stream cannot be played.
std::string PlayStream(const Rux2Exports& rux, const std::string& intro, const std::string& loopPart,
                       StreamListening& listening);
