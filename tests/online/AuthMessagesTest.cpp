// The authentication messages both ends compose and read, the strict form of a
// decrypted secret, and the service clock of the credentials.
#include "online/service/AuthMessages.h"
#include "online/service/AuthContext.h"
#include "online/service/Credentials.h"
#include "online/service/ServiceMessage.h"
#include "peer/online/PeerKeys.h"

#include <gtest/gtest.h>

namespace {

ReadBuffer Body(const WriteBuffer& message)
{
    ReadBuffer body;
    EXPECT_TRUE(ServiceMessage::Parse(message.Data(), message.Size(), body));
    return body;
}

} // namespace

TEST(AuthMessages, EachMessageReadsBackWhatWasComposed)
{
    WriteBuffer message(64);
    AuthMessages::ComposeRequest(message, {AuthMessages::kModeSession, true, false, {1, 2, 3}});
    ReadBuffer body = Body(message);
    const auto request = AuthMessages::ParseRequest(body);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->mode, AuthMessages::kModeSession);
    EXPECT_TRUE(request->encrypted);
    EXPECT_FALSE(request->notSequenced);
    EXPECT_EQ(request->certificate, (CryptoBytes{1, 2, 3}));

    AuthMessages::ComposeChallenge(message, {{9, 9}, {7}});
    body = Body(message);
    const auto challenge = AuthMessages::ParseChallenge(body);
    ASSERT_TRUE(challenge);
    EXPECT_EQ(challenge->encryptedSecret, (CryptoBytes{9, 9}));
    EXPECT_EQ(challenge->certificate, (CryptoBytes{7}));

    AuthMessages::ComposeStatus(message, {0, {5, 6}, 0xBEEF}, true, true);
    body = Body(message);
    const auto status = AuthMessages::ParseStatus(body, true, true);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->answer, (CryptoBytes{5, 6}));
    EXPECT_EQ(status->sessionId, 0xBEEF);

    // A refusal carries its status alone; a status without the session id asked for is
    // incomplete.
    AuthMessages::ComposeStatus(message, {-7, {}, 0}, true, true);
    body = Body(message);
    EXPECT_EQ(AuthMessages::ParseStatus(body, true, true)->status, -7);
    AuthMessages::ComposeStatus(message, {0, {5}, 0}, true, false);
    body = Body(message);
    EXPECT_FALSE(AuthMessages::ParseStatus(body, true, true));
}

TEST(AuthMessages, ASecretIsExactlyTwoBytesShorterThanItsText)
{
    EXPECT_EQ(AuthMessages::DecodeSecret({3, 0, 1, 2, 3}), (CryptoBytes{1, 2, 3}));
    EXPECT_FALSE(AuthMessages::DecodeSecret({3, 0, 1, 2}));
    EXPECT_FALSE(AuthMessages::DecodeSecret({3, 0, 1, 2, 3, 4}));
    EXPECT_FALSE(AuthMessages::DecodeSecret({3}));
    EXPECT_EQ(AuthMessages::DecodeSecret({0, 0}), CryptoBytes{});

    const CryptoBytes secret(16, 0xAB), key(8, 0xCD);
    const auto response = AuthMessages::DecodeResponsePlain(AuthMessages::EncodeResponsePlain(secret, key));
    ASSERT_TRUE(response);
    EXPECT_EQ(response->secret, secret);
    EXPECT_EQ(response->clientKey, key);
    CryptoBytes extra = AuthMessages::EncodeResponsePlain(secret, key);
    extra.push_back(0);
    EXPECT_FALSE(AuthMessages::DecodeResponsePlain(extra));
}

TEST(AuthContextClock, TheCredentialsOffsetMovesTheServiceClock)
{
    std::string error;
    const auto keys = PeerKeys::Open("", error);
    const int64_t serviceNow = 2'000'000'000;
    auto credentials = keys->IssueCredentials("Tester", serviceNow, 3600);
    // The local clock runs a day behind the service's.
    credentials->clockOffset = 86400;
    AuthContext context(*credentials);
    context.SetClock([] { return int64_t(2'000'000'000 - 86400); });
    EXPECT_EQ(context.ServiceNow(), serviceNow);
    EXPECT_TRUE(context.IsSignedIn());
    context.SetClock([] { return int64_t(2'000'000'000); });
    EXPECT_FALSE(context.IsSignedIn());

    // A damaged file whose offset would overflow the clock is not read at all.
    credentials->clockOffset = INT64_MAX;
    const CryptoBytes damaged = credentials->Serialize();
    EXPECT_FALSE(Credentials::Parse(damaged.data(), damaged.size()));
    credentials->clockOffset = -86400;
    const CryptoBytes fine = credentials->Serialize();
    EXPECT_TRUE(Credentials::Parse(fine.data(), fine.size()));
}
