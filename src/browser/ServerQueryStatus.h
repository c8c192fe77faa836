#pragma once
// Query states of a server record; the numbers are also what the server list file
// stores under "status".
enum ServerQueryStatus : int
{
    Failed = 0,
    Idle = 1,
    SocketOpen = 2,
    ConnectFailed = 3,
    Connected = 4,
    InfoSent = 7,
    InfoReceived = 8,
    PlayersSent = 9,
    PlayersReceived = 10,
    RulesSent = 11,
    RulesReceived = 12,
    Done = 13,
};
