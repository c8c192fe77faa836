#pragma once
// Small path helpers shared by the file search and its callers.
#include <cstddef>
#include <cstdint>
#include <string>

// File name without folder and extension.
std::string FileBase(const std::string& path);
// Creates every folder named by a prefix of path that ends before a '/' or '\'.
void CreatePath(const std::string& path);
std::string UseBackslashes(std::string path);
// Two lower-case hexadecimal digits per byte, at most 127 characters.
std::string HexString(const uint8_t* bytes, size_t count);
