#pragma once
// Facts about the host the start-up checks need.
#include <cstdint>

// Total physical memory in bytes (0 when unknown).
uint64_t PhysicalMemoryBytes();
// How many sockets the process may hold open at once.
int SocketLimit();
// How many more descriptors (files, sockets) the process can open now: the open-file
// limit less the descriptors already open.
int FreeDescriptors();
