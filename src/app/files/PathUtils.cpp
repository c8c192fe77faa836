#include "app/files/PathUtils.h"

#include <sys/stat.h>

#include <cstdio>

std::string FileBase(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

void CreatePath(const std::string& path)
{
    for (size_t i = 1; i < path.size(); ++i) {
        if (path[i] == '/' || path[i] == '\\') {
            std::string prefix = path.substr(0, i);
            for (char& c : prefix)
                if (c == '\\')
                    c = '/';
            ::mkdir(prefix.c_str(), 0777);
        }
    }
}

std::string UseBackslashes(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string HexString(const uint8_t* bytes, size_t count)
{
    static constexpr size_t kMaxText = 127;
    std::string text;
    for (size_t i = 0; i < count && text.size() + 2 <= kMaxText; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        text += digits;
    }
    return text;
}
