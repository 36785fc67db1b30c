#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "app/session/session.h"
#include "app/window/app_state.h"
#include "framework/actor.h"
#include "framework/effect.h"
#include "framework/game_state.h"

// A game whose end the test decides, recording every button and lost actor it is handed.
class TestGame : public GameState {
public:
    struct Button {
        int player;
        int button;
        bool down;
        bool operator==(const Button& o) const {
            return player == o.player && button == o.button && down == o.down;
        }
    };

    explicit TestGame(uint32_t seed = 1) : GameState(seed) {}

    void buttonDown(int player, int button) override {
        received.push_back({player, button, true});
        GameState::buttonDown(player, button);
    }
    void buttonUp(int player, int button) override {
        received.push_back({player, button, false});
        GameState::buttonUp(player, button);
    }
    // Starts the end countdown on the endOnCheck-th question, counting from 1.
    int checkEnd() override {
        if (++endChecks == endOnCheck) endCountdown = actorKinds.endTicks;
        return 0;
    }
    void actorLost(int player) override { lost.push_back(player); }

    std::vector<Button> received;
    std::vector<int> lost;
    int endChecks = 0;
    int endOnCheck = -1;
};

inline std::ostream& operator<<(std::ostream& os, const TestGame::Button& b) {
    return os << "(" << b.player << ", " << b.button << (b.down ? ", down)" : ", up)");
}

// An id that no catalogue entry holds: no sprites and no actor hook.
constexpr int noCatalogueEntry = -1;
constexpr int catGameId = 0;

// Fresh application record, settings and tables before every test.
class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.game.reset();
        app = AppState{};
        selectGame(noCatalogueEntry);
        restoreSettings();
        restoreActorKinds();
        appRandomSource.seed(12345);
    }
    void TearDown() override {
        session.game.reset();
        restoreActorKinds();
    }

    static InputEvent event(uint32_t tick, int player, int sequence, int type, int button) {
        InputEvent e;
        e.tick = tick;
        e.player = player;
        e.sequence = static_cast<int8_t>(sequence);
        e.type = type;
        e.button = button;
        return e;
    }

    TestGame game;
};
