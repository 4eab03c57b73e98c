// A stream's comment header laid again with other comments after the stream is made, for what is
// known only once it has played: its header pages written anew, its audio pages kept byte for byte.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// stream: an Ogg Vorbis stream from byte oggStart on (a RUX or RX2A header may come before), whose
// identification header has a page of its own and whose comment and setup headers share the next.
// comments: "NAME=value", all the comments it is to hold. False, with the stream as it was, when its
// headers cannot be read or the new ones would not fit as many pages as the old.
bool RelayComments(std::string& stream, size_t oggStart, const std::vector<std::string>& comments);
