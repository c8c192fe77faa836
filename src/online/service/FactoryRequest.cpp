#include "online/service/FactoryRequest.h"

#include "online/service/ServiceMessage.h"

bool ReadFactoryReply(ReadBuffer& reader, FactoryReply& reply)
{
    uint16_t status = 0;
    if (!reader.ReadShort(status))
        return false;
    reply.status = int16_t(status);
    return reader.ReadByte(reply.count) && reader.ReadShort(reply.port);
}

uint16_t FactoryRequest::StartProcess(const std::string& processName, const std::string& directoryAddress,
                                      const std::u16string& directoryPath, const std::u16string& displayName,
                                      const std::string& commandLine)
{
    WriteBuffer message(256);
    ServiceMessage::Begin(message, kService, kRequest);
    message.AppendString(processName);
    message.AppendByte(1);
    message.AppendString(commandLine);
    message.AppendLong(kStartValue);
    message.AppendString(directoryAddress);
    message.AppendWString(displayName);
    message.AppendWString(directoryPath);
    message.AppendByte(1);
    message.AppendByte(1);
    message.AppendByte(0);
    message.AppendShort(0);
    ServiceMessage::End(message);
    ReadBuffer reader;
    if (!Exchange(message, kService, kReply, reader))
        return 0;
    FactoryReply reply;
    const bool whole = ReadFactoryReply(reader, reply);
    if (reply.status < 0) {
        Print("Status error in start process: " + std::to_string(reply.status) + "\n");
        return 0;
    }
    if (!whole || reply.count != 1) {
        Print("Invalid message received from factory.\n");
        return 0;
    }
    if (reply.status != kStatusStarted) {
        Print("Factory error: " + std::to_string(reply.status) + "\n");
        return 0;
    }
    return reply.port;
}
