#include "ksds/KsdsOptions.h"

#include "app/text/TextCase.h"
#include "platform/NumberText.h"

#include <cctype>

namespace {

} // namespace

std::string KsdsOptions::Variable(const std::string& name, const std::string& fallback) const
{
    const auto found = variables.find(name);
    return found == variables.end() ? fallback : found->second;
}

std::optional<KsdsOptions> ParseKsdsOptions(const std::vector<std::string>& arguments, std::string& error)
{
    KsdsOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (word.size() > 1 && word[0] == '+') {
            // A variable without a value is set empty, as the console would leave it.
            options.variables[LowerText(word.substr(1))] = hasValue ? arguments[++i] : std::string();
        } else if (word == "-game") {
            if (!hasValue || arguments[i + 1].empty()) {
                error = "-game needs a directory";
                return std::nullopt;
            }
            const std::string& game = arguments[i + 1];
            // The game is a folder of the base directory, named alone: no path, and
            // neither the base directory itself nor its parent.
            if (game == "." || game == ".." || game.find_first_of("/\\") != std::string::npos) {
                error = "-game needs the name of a game folder in the base directory, not \"" + game + "\"";
                return std::nullopt;
            }
            options.gameDirectory = game;
            ++i;
        } else if (word == "-port") {
            const int port = hasValue ? ParseInt(arguments[i + 1]) : 0;
            if (port < 1 || port > 65535 - KsdsOptions::kPortCount) {
                error = "-port needs a port number";
                return std::nullopt;
            }
            options.firstPort = uint16_t(port);
            ++i;
        } else {
            error = "unknown argument \"" + word + "\"";
            return std::nullopt;
        }
    }
    return options;
}
