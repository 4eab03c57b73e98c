// Releasing the decoder state that header detection prepared.
#pragma once

#include "decoder_record.h"

// Releases the stream, Vorbis and synthesis state as far as detection prepared it; decoderReady
// becomes kNotPrepared. Safe whatever the stage.
void ReleaseDecoderState(DecoderRecord& record);
// Drops every byte fed to the Ogg sync layer.
void ResetSync(DecoderRecord& record);
