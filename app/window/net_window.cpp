#include "app/window/net_window.h"

#include <string>

#include "app/window/app_state.h"
#include "app/session/result_lines.h"
#include "app/window/lifecycle.h"
#include "app/netplay/peer.h"
#include "app/platform/platform.h"
#include "app/session/playback.h"
#include "framework/game_entry.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"
#include "graphics/text.h"

namespace {

constexpr uint32_t waitingNoticeAfter = 500;  // ms a tick waits before the picture says so
constexpr uint32_t noticeTime = 8000;         // ms the menu shows what ended a connection
constexpr uint32_t giveWayEvery = 9;          // ticks: a side ahead of the peer runs one fewer in so many
constexpr int cornerLeft = 2;
constexpr int cornerRow = 2;   // the bottom left corner, which no game uses
constexpr int noticeRow = 39;  // rows between the instructions and the items
constexpr int peerRow = 32;
constexpr int waitingRow = 26;

// Owned by this file: what the frame shows of the net game; the wait is wiped at every tick run.
struct NetFrame {
    uint32_t waitingSince = 0;  // platform ms; 0 while no tick waits
    std::string notice;         // what ended the last connection or game, on the menu
    uint32_t noticeSince = 0;
};

NetFrame netFrame;

bool connected() { return net.on && net.greeted && linkConnected(); }

void notify(const std::string& what) {
    netFrame.notice = what;
    netFrame.noticeSince = platformTicks();
}

void endNetGameHere(const std::string& why) {
    if (!app.inGame) return;
    notify(why);
    endGame();
}

// The game of a start message, both sides alike; the guest heard of it half a round trip after
// the host began, and counts that time as run.
void startNetGameHere(const Message& start) {
    selectGame(findGameByTitle(start.title)->id);
    newGameReset();
    app.gameSeed = start.seed;
    beginGameReport();
    noteGameStart(app.gameSeed, selectedEntry->title);
    app.currentGame = selectedEntry->create(app.gameSeed);
    platformKeyRepeat(0, 0);
    if (!net.hosting) beginNetGame(start);
    closeLocalTicks(net.session, start.delay - 1);
    if (!net.hosting) app.tickTarget = meanRoundTrip(net.roundTrip) / 2 / tickLength;
    netFrame.waitingSince = 0;
}

void takeNews(const NetNews& news) {
    if (news.greeted && net.hosting) sendChoice(selectedEntry->title);
    // The host's game in its own colours at once, as a choice on this menu would show it; it is
    // the host's, not this player's, and stays out of settings.conf.
    if (news.choice && !app.inGame) {
        selectGame(findGameByTitle(net.hostChoice)->id);
        resetPalette();
    }
    if (news.started) {
        if (app.inGame) endGame();
        startNetGameHere(news.start);
    }
    if (news.pause && netGameRuns()) app.paused = news.paused;
    // Both sides run on to the tick where the game ends, paused or not.
    if (news.peerLeftGame) {
        app.paused = false;
        notify("the other side left the game");
    }
    if (news.ended) endNetGameHere(net.lastSaid);
}

void drawCentred(const std::string& text, int row, int role) {
    drawText(text.c_str(), (canvasWidth - textWidth(text.c_str())) / 2, row,
             selectedEntry->colourRoles[role]);
}

}  // namespace

void netPass() {
    if (!net.on) return;
    pumpNet(0);
    const NetNews news = net.news;
    net.news = NetNews{};
    if (news.ended) notify(net.lastSaid);
    takeNews(news);
    if (netGameRuns() && stopReached(net.session)) endGame();
    if (netGameRuns() && net.session.outOfSync) {
        reportOutOfSync(app.gameSeed, selectedEntry->title);
        endNetGameHere("out of sync at tick " + std::to_string(net.session.outOfSyncTick));
    }
}

bool netGameRuns() { return net.on && net.playing && app.inGame; }

void netButton(int button, int type) {
    stampLocalEvent(net.session, type,
                    net.session.localPlayer * buttonsPerPlayer + button % buttonsPerPlayer);
}

void advanceNetGame(unsigned n) {
    app.tickTarget += n;
    GameState& game = *app.currentGame;
    while (game.tickCount < app.tickTarget && !game.gameOver) {
        if (!runNetTick(game)) {
            if (!netFrame.waitingSince) netFrame.waitingSince = platformTicks() | 1;
            pumpNet(0);
            return;
        }
        netFrame.waitingSince = 0;
        const uint32_t gameMs = game.tickCount * tickLength;
        if (game.tickCount % giveWayEvery == 0 &&
            msAheadOfPeer(net.session, gameMs, meanRoundTrip(net.roundTrip)) > int32_t(tickLength))
            --app.tickTarget;
    }
    pumpNet(0);
}

bool startHostedGame() {
    if (!connected() || !net.hosting) return false;
    const uint32_t seed = static_cast<uint32_t>(platformTicks()) ^ app.gameSeed;
    startNetGameHere(sendStart(selectedEntry->title, seed));
    return true;
}

bool guestWaits() { return connected() && !net.hosting; }

bool netLeave() {
    if (netGameRuns()) {
        app.paused = false;
        leaveNetGame(net.session.localClosed);
        return true;
    }
    if (app.inGame || !connected()) return false;
    linkDrop(LinkEnd::Left);
    net.greeted = false;
    notify("the connection is ended");
    return true;
}

void netGameChosen(const char* title) {
    if (connected() && net.hosting) sendChoice(title);
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
    if (!netFrame.notice.empty() && platformTicks() - netFrame.noticeSince < noticeTime)
        drawCentred(netFrame.notice, noticeRow, titleColourRole);
}

void drawNetGameLines() {
    if (!netGameRuns()) return;
    const std::string corner = "net " + std::to_string(meanRoundTrip(net.roundTrip)) + " ms, delay " +
                               std::to_string(net.session.delay);
    drawText(corner.c_str(), cornerLeft, cornerRow, selectedEntry->colourRoles[textColourRole]);
    if (netFrame.waitingSince && platformTicks() - netFrame.waitingSince > waitingNoticeAfter)
        drawCentred("waiting for the other player", canvasHeight / 2, titleColourRole);
}
