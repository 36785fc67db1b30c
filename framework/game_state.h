#pragma once
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "base/random.h"

struct Actor;
struct Effect;

constexpr uint32_t tickLength = 18;  // ms of game time per tick
constexpr int playerCount = 2;
constexpr int buttonCount = 8;       // 0 to 3 are player 1's, 4 to 7 player 2's
constexpr int buttonsPerPlayer = 4;  // Up, Down, A, B
constexpr int pressEvent = 3;
constexpr int releaseEvent = 4;

// A player's values; the buttons held stand apart in PlayerRecord, so that a snapshot can copy
// them into the list nodes it has rather than into new ones.
struct PlayerValues {
    int index = 0;
    int heldActorId = 0;
    bool flagA = false;
    bool flagB = false;
    int x = 0;
    int y = 0;
    float floats[12] = {};
    int spare1[3] = {};
    float floatA = 0.0f;
    float floatB = 0.0f;
    int valueA = 0;
    int valueB = 0;
    int valueC = 0;
    int valueD = 0;
    int valueE = 0;
    int valueF = 4;
    int score = 0;
    int spare2[12] = {};
    int valueG = 100;
    int spare3 = 0;
    int timers[3] = {};
};

struct PlayerRecord : PlayerValues {
    std::list<int> heldButtons;  // oldest press first
};

struct InputEvent {
    uint32_t tick = 0;
    int player = 0;
    int8_t sequence = 0;
    int type = 0;
    int button = 0;
};

// Order by tick, player, signed sequence, type; the button takes no part, so an event equal
// in those four to a queued one is dropped.
bool operator<(const InputEvent& a, const InputEvent& b);

// The base of every game. Owned by the game session; owns its players, events, actors and
// effects. A game's whole state can be copied onto another of its kind (a snapshot, or a
// snapshot back onto the game): each game's class defaults its assignment, which copies its
// own values after these.
class GameState {
public:
    explicit GameState(uint32_t seed);
    virtual ~GameState();
    GameState(const GameState&) = delete;

    virtual void tick();
    virtual void draw();
    virtual void drawEffects();
    virtual void drawActors();
    virtual void buttonDown(int player, int button);
    virtual void buttonUp(int player, int button);
    virtual int checkEnd() = 0;
    virtual int spareQuery(int, int);
    virtual void actorLost(int player);
    virtual int fieldLeft() const;
    virtual int fieldWidth() const;

    // Counted draws on gameRandom: a raw value 0..2147483647, and that value mod n.
    uint32_t randomDraw();
    unsigned randomBelow(unsigned n);
    // Uncounted draws on cosmeticRandom.
    uint32_t cosmeticRandomDraw();
    unsigned cosmeticRandomBelow(unsigned n);
    Actor* createActor();

    uint32_t tickCount = 0;
    std::map<int, std::unique_ptr<Actor>> actors;
    std::vector<PlayerRecord> players;
    std::set<InputEvent> events;
    std::list<std::unique_ptr<Effect>> effects;
    int flashTimer = 0;
    bool gameOver = false;
    int nextActorId = 1;
    int endCountdown = 0;
    RandomStream gameRandom;
    RandomStream cosmeticRandom;
    int gameRandomDraws = 0;
    int fear = 0;

protected:
    // Everything above, copied into what this game holds already, so that a copy once warmed up
    // allocates nothing unless the other holds more actors, effects or events than this ever did.
    GameState& operator=(const GameState& other);

private:
    using ActorMap = std::map<int, std::unique_ptr<Actor>>;
    void copyActors(const ActorMap& from);
    void copyEffects(const std::list<std::unique_ptr<Effect>>& from);
    void copyPlayers(const std::vector<PlayerRecord>& from);
    void copyEvents(const std::set<InputEvent>& from);
    void dispatchDueEvents();
    void updatePlayerTimers();
    void updateActors();
    void sweepActors();
    void updateEffects();
    void runEndCountdown();
    void removeActor(ActorMap::iterator it);

    // Kept for the copies: never copied themselves.
    std::vector<ActorMap::node_type> spareActors;
    std::list<std::unique_ptr<Effect>> spareEffects;
    std::list<int> spareButtons;
    std::vector<std::set<InputEvent>::node_type> spareEvents;
};

// Copies the whole state of one game of a class onto another of the same class.
template <class Game>
void copyGame(GameState& to, const GameState& from) {
    static_cast<Game&>(to) = static_cast<const Game&>(from);
}
