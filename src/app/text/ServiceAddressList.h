#pragma once
// The remote endpoints the launcher talks to, read from "kavcomm.lst" (or the file
// named by -comm): directory servers ("Pylon"), authentication servers ("Auth"),
// master servers ("Master") and custom-game master servers ("ModServer"), plus the
// chat servers' list that the chat client fills. The master and mod master lists
// have cursors that callers step through when a server does not answer.
//
// File format (plain tokenizer, comments skipped): repeated sections of a name
// (any case), "{", entries of the form host or host:port, and "}". An entry without
// a port takes its section's default port. An entry equal to one already listed
// (host ignoring case, and port) is dropped.
#include "app/text/ServiceAddress.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ServiceAddressList
{
public:
    static constexpr uint16_t kPylonPort = 6001;
    static constexpr uint16_t kAuthPort = 6002;
    static constexpr uint16_t kMasterPort = 27010;
    static constexpr uint16_t kModMasterPort = 27011;
    static constexpr size_t kMaxDirectory = 255;
    static constexpr int kRotationMask = 63;
    // The host used while a cursor stands on no entry. The ".invalid" domain never
    // resolves, so nothing is ever sent there by accident.
    static constexpr const char* kDefaultMasterHost = "master.kestrel.invalid";
    static constexpr const char* kDefaultFileName = "kavcomm.lst";

    static constexpr int kUnknownSectionMessage = 341;
    static constexpr int kMissingOpenBraceMessage = 342;
    static constexpr int kMissingCloseBraceMessage = 343;

    using List = std::vector<ServiceAddress>;
    // An IPv4 address in host byte order for a host name, or no value.
    using Resolver = std::function<std::optional<uint32_t>(const std::string& name)>;
    using Random = std::function<int()>;

    // Empties the five lists and puts both cursors on their heads.
    void Clear();
    // Finds the file through the game file search and parses it; a missing file
    // leaves the lists as they are, shows nothing and returns false.
    bool Load(const std::string& fileName);
    // Parses a NUL-terminated text; format errors show message 341, 342 or 343 with
    // the file name and end parsing, keeping the entries read before them.
    void Parse(const char* text, const std::string& fileName);

    // Rotates each list of more than one entry (Auth, Master, Pylon, ModServer, in
    // that order) by (random() AND 63) places, moving the last entry to the front.
    void Shuffle(const Random& random = nullptr);
    // Replaces each host of the four file lists by its dotted address where it
    // resolves (a host starting with a digit is read as an address, any other is
    // looked up), then removes duplicates. Hosts that do not resolve stay as text.
    void ResolveAll(const Resolver& resolver = nullptr);
    void RemoveDuplicates();
    // Of each group of equal entries the last survives; survivors keep their order.
    static void RemoveDuplicates(List& list);
    // Moves the demoted directory servers behind the others, keeping each group's
    // order, and clears every demoted flag.
    void DemoteFailed();
    // Appends an address a master reported (server-data exchange) at the end of the
    // Auth, Pylon or Master list, unless that list holds it already.
    enum class Section
    {
        Auth,
        Pylon,
        Master,
    };
    void AppendAddress(Section section, const std::string& host, uint16_t port);

    void ResetMaster() { m_masterCursor = kHead; }
    bool NextMaster() { return Step(m_master, m_masterCursor); }
    std::string MasterHost() const { return CurrentHost(m_master, m_masterCursor); }
    uint16_t MasterPort() const { return CurrentPort(m_master, m_masterCursor, kMasterPort); }
    void ResetModMaster() { m_modMasterCursor = kHead; }
    bool NextModMaster() { return Step(m_modServer, m_modMasterCursor); }
    std::string ModMasterHost() const { return CurrentHost(m_modServer, m_modMasterCursor); }
    uint16_t ModMasterPort() const { return CurrentPort(m_modServer, m_modMasterCursor, kModMasterPort); }

    List& PylonList() { return m_pylon; }
    List& AuthList() { return m_auth; }
    List& ChatList() { return m_chat; }
    const List& MasterList() const { return m_master; }
    const List& ModServerList() const { return m_modServer; }

    const std::string& Directory() const { return m_directory; }
    void SetDirectory(const std::string& directory) { m_directory = directory.substr(0, kMaxDirectory); }

    // The resolver ResolveAll uses by default: the system's host lookup (first IPv4
    // address); names in the ".invalid" domain are never looked up.
    static std::optional<uint32_t> LookUpHost(const std::string& name);
    static std::string DottedAddress(uint32_t address);

private:
    static constexpr int kHead = -1;

    static bool Step(const List& list, int& cursor);
    static std::string CurrentHost(const List& list, int cursor);
    static uint16_t CurrentPort(const List& list, int cursor, uint16_t defaultPort);
    static void Append(List& list, ServiceAddress address);

    List m_pylon;
    List m_auth;
    List m_master;
    List m_modServer;
    List m_chat;
    // kHead: no entry chosen; list size: stepped past the end (void until reset).
    int m_masterCursor = kHead;
    int m_modMasterCursor = kHead;
    std::string m_directory;
};

// The process-wide list, loaded at start-up.
ServiceAddressList& ServiceAddresses();
// Start-up: clears the list, loads the file ("kavcomm.lst" or the value of -comm),
// shuffles unless -usefirstmaster is given, and sets the directory to the base
// directory, which becomes the working directory.
void LoadServiceAddresses();
