#pragma once
// The replies of the peer custom-game master and of the count requests a master
// server answers, as pure functions over the request bytes.
#include "peer/ModMasterConfig.h"

#include <cstdint>
#include <vector>

using PeerDatagrams = std::vector<std::vector<uint8_t>>;

// Replies to a list request ('n'); a download notice ('p') gives none and its id in
// notice. Other datagrams give none.
PeerDatagrams ModMasterReplies(const uint8_t* data, size_t size, const ModMasterConfig& config,
                               std::optional<int32_t>* notice = nullptr);
// Replies to a count request ('x'); empty for other datagrams.
PeerDatagrams ModCountReplies(const uint8_t* data, size_t size, const ModMasterConfig& config);
