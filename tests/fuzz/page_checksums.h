#pragma once
#include <string>

// Sets the checksum of every complete Ogg page in `bytes` to match its contents, walking the pages
// as libogg does once each checksum holds. True when any checksum changed. Lets a mutated input
// reach the decoder instead of stopping at libogg's checksum test.
bool repairPageChecksums(std::string& bytes);
