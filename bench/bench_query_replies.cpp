// Parsing speed of the game server's info, players and rules replies.
#include "browser/query/QueryReplies.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

constexpr const char* kInfoText =
    "\\protocol\\45\\address\\192.168.10.20:27015\\players\\14\\proxytarget\\0\\lan\\0\\max\\24"
    "\\gamedir\\vrel\\description\\Team Deathmatch\\hostname\\Friday Night Frag Fest [EU]"
    "\\map\\ha_crossfire\\type\\d\\password\\0\\os\\l\\secure\\1\\modversion\\2";

void Fill(CMessageBuffer& msg, const CMessageBuffer& datagram)
{
    msg.Clear();
    std::memcpy(msg.Data(), datagram.Data(), size_t(datagram.Size()));
    msg.SetSize(datagram.Size());
}

void InfoDatagram(CMessageBuffer& msg)
{
    msg.Clear();
    msg.WriteLong(-1);
    msg.WriteString("infostringresponse");
    msg.WriteString(kInfoText);
}

void PlayersDatagram(CMessageBuffer& msg, int count)
{
    msg.Clear();
    msg.WriteLong(-1);
    msg.WriteByte('D');
    msg.WriteByte(count);
    for (int i = 0; i < count; ++i) {
        msg.WriteByte(i + 1);
        msg.WriteString("Player number " + std::to_string(i));
        msg.WriteLong(i * 3);
        const float seconds = 123.5f + float(i);
        msg.WriteData(&seconds, 4);
    }
}

void RulesDatagram(CMessageBuffer& msg, int count)
{
    msg.Clear();
    msg.WriteLong(-1);
    msg.WriteByte('E');
    msg.WriteByte(count & 0xff);
    msg.WriteByte(count >> 8);
    for (int i = 0; i < count; ++i) {
        msg.WriteString("sv_rule_number_" + std::to_string(i));
        msg.WriteString(std::to_string(i * 100));
    }
}

void BM_InfoReply(benchmark::State& state)
{
    CMessageBuffer msg(8192);
    InfoDatagram(msg);
    CServerInfo record("127.0.0.1", 27015);
    for (auto _ : state) {
        record.status = CServerInfo::InfoSent;
        benchmark::DoNotOptimize(ParseInfoReply(msg, record, 1.0));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InfoReply);

// The same with what a receive does before the parser: zero the 8192-byte buffer
// and copy the datagram in.
void BM_InfoReplyWithReceive(benchmark::State& state)
{
    CMessageBuffer datagram(8192);
    InfoDatagram(datagram);
    CMessageBuffer msg(8192);
    CServerInfo record("127.0.0.1", 27015);
    for (auto _ : state) {
        Fill(msg, datagram);
        record.status = CServerInfo::InfoSent;
        benchmark::DoNotOptimize(ParseInfoReply(msg, record, 1.0));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InfoReplyWithReceive);

void BM_PlayersReply(benchmark::State& state)
{
    const int count = int(state.range(0));
    CMessageBuffer msg(8192);
    PlayersDatagram(msg, count);
    CServerInfo record("127.0.0.1", 27015);
    record.currentplayers = count;
    record.AllocatePlayerSlots();
    for (auto _ : state) {
        record.status = CServerInfo::PlayersSent;
        benchmark::DoNotOptimize(ParsePlayersReply(msg, record, 1.0));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlayersReply)->Arg(16)->Arg(32);

void BM_RulesReply(benchmark::State& state)
{
    const int count = int(state.range(0));
    CMessageBuffer msg(8192);
    RulesDatagram(msg, count);
    CServerInfo record("127.0.0.1", 27015);
    for (auto _ : state) {
        record.status = CServerInfo::RulesSent;
        benchmark::DoNotOptimize(ParseRulesReply(msg, record));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RulesReply)->Arg(40)->Arg(100);

} // namespace

BENCHMARK_MAIN();
