// ReadFlacComments: the metadata chain read through the input's handle, which ruxtool opened by the
// file's wide name.
#include "audio_files/flac_comments.h"

#include <FLAC/metadata.h>

namespace {

FLAC__int64 TellIn(FLAC__IOHandle file) { return static_cast<InputFile*>(file)->Tell(); }

std::vector<std::string> CommentsOf(const FLAC__StreamMetadata_VorbisComment& block) {
  std::vector<std::string> comments;
  for (FLAC__uint32 i = 0; i < block.num_comments; ++i) {
    comments.emplace_back(reinterpret_cast<const char*>(block.comments[i].entry), block.comments[i].length);
  }
  return comments;
}

}  // namespace

std::vector<std::string> ReadFlacComments(InputFile& file) {
  FLAC__Metadata_Chain* chain = FLAC__metadata_chain_new();
  FLAC__Metadata_Iterator* iterator = FLAC__metadata_iterator_new();
  const FLAC__IOCallbacks callbacks = {InputFile::ReadItems, nullptr, InputFile::SeekTo, TellIn, nullptr, nullptr};
  std::vector<std::string> comments;
  // libFLAC reads the chain from where the handle stands.
  const bool read = chain && iterator && file.Seek(0, SEEK_SET) &&
                    FLAC__metadata_chain_read_with_callbacks(chain, &file, callbacks);
  if (read) {
    FLAC__metadata_iterator_init(iterator, chain);
    do {
      const FLAC__StreamMetadata* block = FLAC__metadata_iterator_get_block(iterator);
      if (block->type == FLAC__METADATA_TYPE_VORBIS_COMMENT) comments = CommentsOf(block->data.vorbis_comment);
    } while (comments.empty() && FLAC__metadata_iterator_next(iterator));
  }
  FLAC__metadata_iterator_delete(iterator);
  FLAC__metadata_chain_delete(chain);
  return comments;
}
