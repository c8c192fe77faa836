#pragma once
// Asks a factory server to start a process (service type 10: request 2, reply 1 with a
// signed 16-bit status, a count byte and the started process's 16-bit port).
#include "online/service/PylonRequest.h"

struct FactoryReply
{
    int16_t status = 0;
    uint8_t count = 0;
    uint16_t port = 0;
};

// False when the reply is too short for its three fields (the status is kept when it
// alone was there).
bool ReadFactoryReply(ReadBuffer& reader, FactoryReply& reply);

class FactoryRequest : public PylonRequest
{
public:
    static constexpr uint32_t kService = 10;
    static constexpr uint32_t kRequest = 2;
    static constexpr uint32_t kReply = 1;
    static constexpr int16_t kStatusStarted = 2;
    static constexpr uint32_t kStartValue = 1000;

    using PylonRequest::PylonRequest;

    // The TCP port of the started process, 0 on failure.
    uint16_t StartProcess(const std::string& processName, const std::string& directoryAddress,
                          const std::u16string& directoryPath, const std::u16string& displayName,
                          const std::string& commandLine);
};
