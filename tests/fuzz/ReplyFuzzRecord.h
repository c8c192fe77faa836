#pragma once
// Shared set-up of the reply parser harnesses: the first two input bytes shape the
// record that waits for the reply, the rest is the datagram.
#include "browser/record/CServerInfo.h"
#include "online/buffers/CMessageBuffer.h"

#include <cstdint>
#include <cstring>

struct ReplyFuzzInput
{
    ReplyFuzzInput(const uint8_t* data, size_t size) : record("127.0.0.1", 27015), msg(8192)
    {
        if (size >= 2) {
            record.currentplayers = int8_t(data[0]);
            record.fullmax = data[1] & 0x7f;
            if (data[1] & 0x80)
                record.AllocatePlayerSlots();
            data += 2;
            size -= 2;
        }
        msg.Clear();
        const size_t n = size < size_t(msg.Capacity()) ? size : size_t(msg.Capacity());
        if (n)
            std::memcpy(msg.Data(), data, n);
        msg.SetSize(int(n));
    }

    // Invariants every parser must keep, whatever it was fed.
    void Check() const
    {
        if (record.players && record.players->size() != size_t(record.fullmax))
            __builtin_trap();
        // Only a float read at the end may take the cursor past the data, by its width.
        if (msg.ReadCount() < 0 || msg.ReadCount() > msg.Size() + kFloatWidth)
            __builtin_trap();
    }

    static constexpr int kFloatWidth = 4;

    CServerInfo record;
    CMessageBuffer msg;
};
