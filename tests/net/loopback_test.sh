#!/usr/bin/env bash
# A recorded game of each catalogue entry, host and guest on 127.0.0.1, one player's events on
# each side: both print the recording's own line, and both record the same file.
#   bash loopback_test.sh TANDREL SOURCE_DIR
source "$(dirname "$0")/lib.sh"

HOST_ADDRESS=127.0.0.1 JOIN_ADDRESS=127.0.0.1 play_games
echo "loopback: ${GAMES[*]} played to their recordings' lines, the two sides' recordings identical"
