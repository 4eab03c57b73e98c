// Settings files the end-to-end tests start from.
#pragma once

#include <string>

// A "vesk.cfg" with every key the program knows, at values away from the defaults, and a
// section of the engine's own.
std::string FullSettings();
// A "key.cfg" with current bindings in sections 01 to 20 and defaults in sections 51 to 70.
std::string FullKeys();

// text with the first from replaced by to.
std::string Replaced(std::string text, const std::string& from, const std::string& to);

// The number of "key=value" lines of a file.
int KeyLineCount(const std::string& file);
// The value of key in section, as the platform reads it from path.
std::string ValueIn(const std::string& path, const char* section, const char* key);
