// Arbitrary chat-server message bodies, the first byte choosing the message: users
// lists stay within their cap, a users-left list is whole or refused, text is cleaned.
#include "online/chat/ChatMessages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    ReadBuffer body(data + 1, uint32_t(size - 1));
    switch (data[0] % 5) {
    case 0:
        if (const auto users = ChatMessages::ParseUsers(body); users && users->size() > ChatMessages::kMaxUsers)
            __builtin_trap();
        break;
    case 1:
        if (const auto ids = ChatMessages::ParseUsersLeft(body); ids && size - 3 < ids->size() * 4)
            __builtin_trap();
        break;
    case 2:
        if (const auto line = ChatMessages::ParseChatLine(body)) {
            const std::string clean = ChatMessages::CleanText(line->text);
            for (const char c : clean)
                if (static_cast<unsigned char>(c) < 0x20)
                    __builtin_trap();
        }
        break;
    case 3:
        ChatMessages::ParseLoginReply(body);
        break;
    default:
        if (const auto login = ChatMessages::ParseLogin(body); login && login->name.size() > 4 * 65535)
            __builtin_trap();
        break;
    }
    return 0;
}
