#include "app/window/net_window.h"

#include <string>

#include "app/netplay/net_game.h"
#include "app/netplay/peer.h"
#include "app/platform/platform.h"
#include "app/session/session.h"
#include "app/window/game.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"
#include "graphics/text.h"

namespace {

constexpr uint32_t waitingNoticeAfter = 500;  // ms a tick waits before the picture says so
constexpr uint32_t noticeTime = 8000;         // ms the menu shows what ended a connection
constexpr int cornerLeft = 2;
constexpr int cornerRow = 2;   // the bottom left corner, which no game uses
constexpr int noticeRow = 39;  // rows between the instructions and the items
constexpr int peerRow = 32;
constexpr int waitingRow = 26;

// Owned by this file: what the menu shows of the last connection or game that ended.
struct NetNotice {
    std::string text;
    uint32_t since = 0;  // platform ms
};

NetNotice netNotice;

bool connected() { return net.on && net.greeted && linkConnected(); }

bool netGameRuns() { return net.on && net.playing && inGame(); }

void notify(const std::string& what) {
    netNotice.text = what;
    netNotice.since = platformTicks();
}

void endNetGameHere(const std::string& why) {
    if (!inGame()) return;
    notify(why);
    endGame();
}

void startNetGameHere(const Message& start) {
    startNetSession(start);
    enterWindowGame();
}

void actOnNews(const NetNews& news) {
    if (news.greeted && net.hosting) sendChoice(selectedEntry->title);
    // The host's game in its own colours at once, as a choice on this menu would show it; it is
    // the host's, not this player's, and stays out of settings.conf.
    if (news.choice && !inGame()) {
        selectGame(findGameByTitle(net.hostChoice)->id);
        resetPalette();
    }
    if (news.started) {
        if (inGame()) endGame();
        startNetGameHere(news.start);
    }
    if (news.pause && netGameRuns()) session.paused = news.paused;
    // Both sides run on to the tick where the game ends, paused or not.
    if (news.peerLeftGame) {
        session.paused = false;
        notify("the other side left the game");
    }
    if (news.ended) endNetGameHere(net.lastSaid);
}

void drawCentred(const std::string& text, int row, int role) {
    drawText(text.c_str(), (canvasWidth - textWidth(text.c_str())) / 2, row,
             selectedEntry->colourRoles[role]);
}

}  // namespace

NetRole netRole() {
    if (!connected()) return NetRole::Alone;
    return net.hosting ? NetRole::Host : NetRole::Guest;
}

int netPlayerHere() {
    switch (netRole()) {
    case NetRole::Host: return 0;
    case NetRole::Guest: return 1;
    case NetRole::Alone: break;
    }
    return -1;
}

void netPass() {
    if (!net.on) return;
    const NetNews news = takeNetNews(0);
    if (news.ended) notify(net.lastSaid);
    actOnNews(news);
    if (netGameRuns() && stopReached(net.lockstep)) endGame();
    if (netGameRuns() && net.lockstep.outOfSync) {
        reportOutOfSync(session.seed, selectedEntry->title);
        endNetGameHere("out of sync at tick " + std::to_string(net.lockstep.outOfSyncTick));
    }
}

void startHostedGame() {
    const uint32_t seed = static_cast<uint32_t>(platformTicks()) ^ session.seed;
    startNetGameHere(sendStart(selectedEntry->title, seed));
}

bool dropConnection() {
    if (!connected()) return false;
    linkDrop(LinkEnd::Left);
    net.greeted = false;
    notify("the connection is ended");
    return true;
}

void netGameChosen(const char* title) {
    if (netRole() == NetRole::Host) sendChoice(title);
}

void drawNetMenu() {
    if (!net.on || !selectedEntry) return;
    if (connected()) {
        drawCentred((net.hosting ? "playing with " : "connected to ") + linkPeerAddress(), peerRow,
                    textColourRole);
        if (!net.hosting) drawCentred("waiting for the host", waitingRow, titleColourRole);
    } else if (net.hosting) {
        drawCentred("waiting for a player to join", peerRow, textColourRole);
    }
    if (!netNotice.text.empty() && platformTicks() - netNotice.since < noticeTime)
        drawCentred(netNotice.text, noticeRow, titleColourRole);
}

void drawNetGameLines() {
    if (!netGameRuns()) return;
    const std::string corner = "net " + std::to_string(meanRoundTrip(net.roundTrip)) +
                               (net.lockstep.rollback ? " ms rollback " : " ms, delay ") +
                               std::to_string(net.lockstep.delay);
    drawText(corner.c_str(), cornerLeft, cornerRow, selectedEntry->colourRoles[textColourRole]);
    if (session.waiting && platformTicks() - session.waitingSince > waitingNoticeAfter)
        drawCentred("waiting for the other player", canvasHeight / 2, titleColourRole);
}
