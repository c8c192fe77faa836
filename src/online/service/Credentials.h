#pragma once
// A player's credentials for the online service: their certificate, ElGamal private
// key, the service's verifier key block and the offset of the service clock from the
// local one (seconds). The file: "KCRD", version 1, certificate, private key and key
// block (each a 16-bit length and its bytes), then the clock offset (signed 64 bits);
// little-endian, nothing after it, written owner-only.
#include "platform/crypto/CryptoBytes.h"

#include <optional>
#include <string>

struct Credentials
{
    static constexpr size_t kMaxFileBytes = 4096;
    static constexpr uint8_t kVersion = 1;

    CryptoBytes certificate;
    CryptoBytes privateKey;
    CryptoBytes keyBlock;
    int64_t clockOffset = 0;

    CryptoBytes Serialize() const;
    static std::optional<Credentials> Parse(const uint8_t* data, size_t n);
};

// The setting "Credentials", else $XDG_DATA_HOME/Harrow/VREL15/credentials.
std::string DefaultCredentialsPath();
bool LoadCredentialsFile(const std::string& path, Credentials& credentials, std::string& error);
bool SaveCredentialsFile(const std::string& path, const Credentials& credentials, std::string& error);
