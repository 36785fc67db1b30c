#include "framework/game_state.h"

#include <iterator>
#include <tuple>

#include "framework/actor.h"
#include "framework/effect.h"
#include "graphics/canvas.h"

namespace {

constexpr unsigned lastButton = buttonCount - 1;
constexpr int baseFieldLeft = 5;

bool isPlayer(int player) { return player >= 0 && player < playerCount; }

// The counter wraps like the 32-bit integer it is; done unsigned to stay defined.
int nextAfter(int id) { return static_cast<int>(static_cast<uint32_t>(id) + 1u); }

}  // namespace

bool operator<(const InputEvent& a, const InputEvent& b) {
    return std::tie(a.tick, a.player, a.sequence, a.type) < std::tie(b.tick, b.player, b.sequence, b.type);
}

GameState::GameState(uint32_t seed) : gameRandom(seed), cosmeticRandom(seed) {
    players.resize(playerCount);
    for (int i = 0; i < playerCount; ++i) players[i].index = i;
}

GameState::~GameState() = default;

GameState& GameState::operator=(const GameState& other) {
    if (this == &other) return *this;
    tickCount = other.tickCount;
    copyActors(other.actors);
    copyPlayers(other.players);
    copyEvents(other.events);
    copyEffects(other.effects);
    flashTimer = other.flashTimer;
    gameOver = other.gameOver;
    nextActorId = other.nextActorId;
    endCountdown = other.endCountdown;
    gameRandom = other.gameRandom;
    cosmeticRandom = other.cosmeticRandom;
    gameRandomDraws = other.gameRandomDraws;
    fear = other.fear;
    return *this;
}

// An actor the other lacks keeps its node for one it has; both maps stay in id order.
void GameState::copyActors(const ActorMap& from) {
    for (auto it = actors.begin(); it != actors.end();) {
        if (from.count(it->first)) ++it;
        else spareActors.push_back(actors.extract(it++));
    }
    for (const auto& [id, actor] : from) {
        auto mine = actors.find(id);
        if (mine == actors.end() && spareActors.empty()) {
            mine = actors.emplace(id, std::make_unique<Actor>()).first;
        } else if (mine == actors.end()) {
            ActorMap::node_type node = std::move(spareActors.back());
            spareActors.pop_back();
            node.key() = id;
            mine = actors.insert(std::move(node)).position;
        }
        *mine->second = *actor;
    }
}

void GameState::copyPlayers(const std::vector<PlayerRecord>& from) {
    players.resize(from.size());
    for (size_t i = 0; i < from.size(); ++i) {
        static_cast<PlayerValues&>(players[i]) = from[i];
        std::list<int>& held = players[i].heldButtons;
        auto mine = held.begin();
        for (int button : from[i].heldButtons) {
            if (mine == held.end()) {
                if (spareButtons.empty()) held.push_back(button);
                else held.splice(held.end(), spareButtons, spareButtons.begin());
                held.back() = button;
            } else {
                *mine++ = button;
            }
        }
        spareButtons.splice(spareButtons.end(), held, mine, held.end());
    }
}

// Every node set aside, then filled in order: the set's own assignment would free the surplus.
void GameState::copyEvents(const std::set<InputEvent>& from) {
    while (!events.empty()) spareEvents.push_back(events.extract(events.begin()));
    for (const InputEvent& event : from) {
        if (spareEvents.empty()) {
            events.insert(events.end(), event);
            continue;
        }
        auto node = std::move(spareEvents.back());
        spareEvents.pop_back();
        node.value() = event;
        events.insert(events.end(), std::move(node));
    }
}

void GameState::copyEffects(const std::list<std::unique_ptr<Effect>>& from) {
    auto mine = effects.begin();
    for (const auto& effect : from) {
        if (mine == effects.end()) {
            if (spareEffects.empty()) effects.push_back(std::make_unique<Effect>());
            else effects.splice(effects.end(), spareEffects, spareEffects.begin());
            mine = std::prev(effects.end());
        }
        **mine = *effect;
        ++mine;
    }
    spareEffects.splice(spareEffects.end(), effects, mine, effects.end());
}

void GameState::tick() {
    dispatchDueEvents();
    updatePlayerTimers();
    updateActors();
    sweepActors();
    updateEffects();
    runEndCountdown();
    if (flashTimer > 0) --flashTimer;
    ++tickCount;
}

void GameState::dispatchDueEvents() {
    while (!events.empty() && events.begin()->tick <= tickCount) {
        // Taken out before dispatch, so a handler may queue events without disturbing the walk.
        InputEvent event = *events.begin();
        events.erase(events.begin());
        if (!isPlayer(event.player) || static_cast<unsigned>(event.button) > lastButton) continue;
        if (event.type == pressEvent) buttonDown(event.player, event.button);
        if (event.type == releaseEvent) buttonUp(event.player, event.button);
    }
}

void GameState::updatePlayerTimers() {
    for (PlayerRecord& player : players) {
        for (int& timer : player.timers) {
            if (timer > 0) --timer;
        }
    }
}

void GameState::updateActors() {
    for (auto& entry : actors) {
        if (entry.second->health > 0) updateActor(*entry.second, *this);
    }
}

void GameState::sweepActors() {
    for (auto it = actors.begin(); it != actors.end();) {
        auto next = std::next(it);
        Actor& actor = *it->second;
        if (actor.health <= 0) {
            burstActor(actor, *this);
            removeActor(it);
        } else if (actor.removeFlag) {
            removeActor(it);
        }
        it = next;
    }
}

void GameState::removeActor(ActorMap::iterator it) {
    const Actor& actor = *it->second;
    const int owner = actor.owner;
    if (actorKinds.kinds[actor.kind].releasesHolder && isPlayer(owner) &&
        players[owner].heldActorId == actor.id) {
        players[owner].heldActorId = 0;
        actorLost(owner);
    }
    actors.erase(it);
}

void GameState::updateEffects() {
    for (auto it = effects.begin(); it != effects.end();) {
        if ((*it)->dead) {
            it = effects.erase(it);
            continue;
        }
        updateEffect(**it, *this);
        ++it;
    }
}

void GameState::runEndCountdown() {
    if (endCountdown <= 0) {
        checkEnd();
        return;
    }
    --endCountdown;
    if (endCountdown == 0) gameOver = true;
}

void GameState::draw() {
    drawEffects();
    drawActors();
}

void GameState::drawEffects() {
    for (auto& effect : effects) drawEffect(*effect, *this);
}

void GameState::drawActors() {
    for (auto& entry : actors) drawActor(*entry.second, *this);
}

void GameState::buttonDown(int player, int button) { players[player].heldButtons.push_back(button); }

void GameState::buttonUp(int player, int button) { players[player].heldButtons.remove(button); }

int GameState::spareQuery(int, int) { return 0; }

void GameState::actorLost(int) {}

int GameState::fieldLeft() const { return baseFieldLeft; }

int GameState::fieldWidth() const { return (canvasWidth / 2 - fieldLeft()) * 2; }

uint32_t GameState::randomDraw() {
    ++gameRandomDraws;
    return gameRandom.draw();
}

unsigned GameState::randomBelow(unsigned n) { return randomDraw() % n; }

uint32_t GameState::cosmeticRandomDraw() { return cosmeticRandom.draw(); }

unsigned GameState::cosmeticRandomBelow(unsigned n) { return cosmeticRandomDraw() % n; }

Actor* GameState::createActor() {
    int id = nextActorId;
    if (id != 0) {
        nextActorId = nextAfter(id);
    } else {
        id = 1;
        for (auto it = actors.lower_bound(1); it != actors.end() && it->first == id; ++it) ++id;
    }
    auto actor = std::make_unique<Actor>();
    actor->id = id;
    actor->health = actorKinds.kinds[actor->kind].initialHealth;
    Actor* created = actor.get();
    actors[id] = std::move(actor);
    return created;
}
