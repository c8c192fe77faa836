#pragma once
// The time-outs of the online service in milliseconds, in one place so that tests can
// shrink them.
struct ServiceTimeouts
{
    int connect = 5000;
    int connectAttempts = 1;
    int sendRequest = 1000;
    int receiveReply = 8000;
    int sendChat = 200;
    int receiveChatLogin = 2500;
    int pollChat = 10;
    int datagramSend = 10;
    int datagramReceive = 10;
};
