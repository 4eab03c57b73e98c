// The pictures of a stream's report, drawn as SVG: the whole envelope with the introduction and the
// loop marked, the wrap up close as it plays, and the level through the seconds around the wrap. They
// hold no words, so that one picture serves every language of the page.
#pragma once

#include <string>

#include "report/heard_stream.h"

std::string EnvelopePicture(const HeardStream& heard);
// The loop's last 20 ms and the 20 ms after the jump, every channel in a lane of its own.
std::string WrapPicture(const HeardStream& heard);
std::string LevelPicture(const HeardStream& heard);
