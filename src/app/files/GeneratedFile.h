#pragma once
// Writes a file the launcher generates: the read-only bit of an existing file is
// cleared first (owner write added), then the bytes go to a temporary file that
// replaces the old one only when everything was written, so a failed write leaves
// the old file whole.
#include <string>
#include <string_view>

bool WriteGeneratedFile(const std::string& path, std::string_view bytes);
