#include "ksds/DedicatedServer.h"

#include "GameMaps.h"
#include "app/files/SearchPath.h"
#include "config/server/CreateServerRequest.h"
#include "config/server/GameConfigRules.h"
#include "platform/NumberText.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr qint64 kMaxGameConfigBytes = 256 * 1024;
constexpr int kDefaultMaxPlayers = 8;
// How often idle players are looked for: a quarter of the time-out, within bounds.
constexpr double kSweepsPerTimeout = 4.0;
constexpr int kMinSweepMs = 20;
constexpr int kMaxSweepMs = 1000;

} // namespace

DedicatedServer::DedicatedServer(KsdsOptions options, double idleTimeoutSeconds)
    : m_options(std::move(options)), m_log(kLogFile), m_idle(idleTimeoutSeconds)
{
    m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void DedicatedServer::Log(const std::string& line)
{
    if (m_log.isOpen()) {
        m_log.write((line + "\n").c_str());
        m_log.flush();
    }
}

int DedicatedServer::Start(std::string& error)
{
    // The game directory as it is spelled on disk.
    const QFileInfo game(QString::fromStdString(ResolveCaseInsensitive(".", m_options.gameDirectory)));
    if (!game.isDir() || m_options.gameDirectory.find_first_of("/\\") != std::string::npos ||
        m_options.gameDirectory == "." || m_options.gameDirectory == "..") {
        error = "Game directory \"" + m_options.gameDirectory + "\" not found.";
        Log(error);
        return kExitNoGame;
    }
    m_config.gameDir = game.fileName().toStdString();

    const std::string map = m_options.Variable("map");
    if (!GameMaps(m_config.gameDir).Exists(map)) {
        error = map.empty() ? std::string("No map given (+map).") : "Couldn't spawn server: map \"" + map + "\" not found.";
        Log(error);
        return kExitNoMap;
    }
    m_config.map = map;

    QFile cfg(game.filePath() + "/game.cfg");
    if (cfg.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = cfg.read(kMaxGameConfigBytes);
        m_config.rules = ParseGameConfigRules(bytes.constData(), size_t(bytes.size()));
        Log("Executed " + m_config.gameDir + "/game.cfg: " + std::to_string(m_config.rules.size()) + " variables.");
    }

    m_config.type = 'd';
    m_config.os = 'l';
    m_config.description = "Kestrel";
    m_config.name = CleanServerText(m_options.Variable("hostname", "Kestrel Server"));
    m_config.password = CleanServerText(m_options.Variable("sv_password"));
    m_config.maxPlayers = std::clamp(int(ParseInt(m_options.Variable("maxplayers", FormatInt(kDefaultMaxPlayers)))),
                                     1, CreateServerRequest::kMaxPlayers);
    m_config.currentPlayers = 0;
    m_config.refuseFull = false;

    // A real server listens on every interface unless "+ip" names one.
    const std::string ip = m_options.Variable("ip");
    QHostAddress address(QHostAddress::AnyIPv4);
    if (!ip.empty() && (!address.setAddress(QString::fromStdString(ip)) ||
                        address.protocol() != QAbstractSocket::IPv4Protocol)) {
        error = "Bad address \"" + ip + "\" (+ip).";
        Log(error);
        return kExitBadArguments;
    }
    for (int i = 0; i < KsdsOptions::kPortCount; ++i) {
        GameServerConfig config = m_config;
        config.port = uint16_t(m_options.firstPort + i);
        auto server = std::make_unique<PeerGameServer>(config);
        server->SetBindAddress(address);
        if (server->Start()) {
            m_server = std::move(server);
            break;
        }
    }
    if (!m_server) {
        error = "No free UDP port from " + std::to_string(m_options.firstPort) + " to " +
                std::to_string(m_options.firstPort + KsdsOptions::kPortCount - 1) + ".";
        Log(error);
        return kExitNoPort;
    }
    m_clock.start();
    // Offered every datagram that is neither a handshake nor a query: the game's own.
    m_server->AddProtocol([this](const uint8_t*, size_t, const PeerAddress& from, GameServerState& state) {
        m_idle.Heard(from, state, Seconds());
        return PeerResponse{};
    });
    m_idleSweep.setInterval(
        std::clamp(int(m_idle.TimeoutSeconds() * 1000.0 / kSweepsPerTimeout), kMinSweepMs, kMaxSweepMs));
    QObject::connect(&m_idleSweep, &QTimer::timeout, &m_idleSweep, [this] { DropIdlePlayers(); });
    m_idleSweep.start();
    Log("Dedicated server \"" + m_config.name + "\" on " + address.toString().toStdString() + ":" +
        std::to_string(Port()) + ", map " + map + ", game " + m_config.gameDir + ", " +
        std::to_string(m_config.maxPlayers) + " players" + (m_config.password.empty() ? "" : ", password") + ".");
    return 0;
}

void DedicatedServer::DropIdlePlayers()
{
    if (!m_server)
        return;
    for (const std::string& name : m_idle.Sweep(m_server->State(), Seconds()))
        Log("Dropped \"" + name + "\": nothing heard for " + FormatFixed(m_idle.TimeoutSeconds(), 0) + " seconds.");
}
