#include "app/video/DriverMap.h"

#include "app/video/VideoSettings.h"

#include <QFile>

namespace {

// The map is a short list; a larger file is not one.
constexpr qint64 kMaxDriverMapBytes = 1 << 20;

std::string Cut(std::string_view text, size_t limit)
{
    return std::string(text.substr(0, limit));
}

} // namespace

std::vector<DriverChoice> ParseDriverMap(std::string_view text)
{
    std::vector<DriverChoice> choices;
    size_t pos = 0;
    while (pos < text.size() && choices.size() < kMaxDriverChoices) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty())
            continue;
        const size_t space = line.find(' ');
        if (space == 0)
            continue; // no library to load
        DriverChoice choice;
        choice.library = Cut(line.substr(0, space), kMaxDriverLibrary);
        if (space != std::string_view::npos)
            choice.description = Cut(line.substr(space + 1), kMaxDriverDescription);
        choices.push_back(std::move(choice));
    }
    return choices;
}

std::vector<DriverChoice> LoadDriverMap()
{
    std::vector<DriverChoice> choices;
    QFile file(kDriverMapFile);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(kMaxDriverMapBytes);
        choices = ParseDriverMap(std::string_view(bytes.constData(), size_t(bytes.size())));
    }
    if (choices.empty())
        choices.push_back({kDefaultDriver, kDefaultDriver});
    return choices;
}
