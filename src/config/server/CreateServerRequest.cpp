#include "config/server/CreateServerRequest.h"

#include "platform/NumberText.h"

#include <algorithm>

CreateServerRequest CreateServerRequest::FromTexts(const std::string& hostName, const std::string& maxPlayers,
                                                   const std::string& password, const std::string& mapEntry,
                                                   bool dedicated, bool lan)
{
    CreateServerRequest request;
    request.hostName = CleanServerText(hostName);
    request.maxPlayers = ParseMaxPlayers(maxPlayers);
    request.password = CleanServerText(password);
    request.map = MapNameFromEntry(mapEntry);
    request.dedicated = dedicated;
    request.lan = lan;
    return request;
}

std::string CleanServerText(const std::string& text)
{
    std::string clean;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || u < 0x20 || u == 0x7F)
            continue;
        clean += c;
    }
    if (clean.size() > CreateServerRequest::kMaxText)
        clean.resize(CreateServerRequest::kMaxText);
    return clean;
}

int ParseMaxPlayers(const std::string& text)
{
    return std::clamp(int(ParseInt(text)), CreateServerRequest::kMinPlayers, CreateServerRequest::kMaxPlayers);
}

std::string MapNameFromEntry(const std::string& entry)
{
    std::string name = entry.substr(0, entry.find('.'));
    if (name.size() > CreateServerRequest::kMaxMapName)
        name.resize(CreateServerRequest::kMaxMapName);
    return name.empty() ? CreateServerRequest::kNoMap : name;
}
