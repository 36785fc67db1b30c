#include <cmath>
#include <cstring>

#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "test_game.h"

namespace {

constexpr int mouseKind = 1;
constexpr int squareKind = 0;
constexpr int mouseSprite = 1;

class ActorIds : public FrameworkTest {};

TEST_F(ActorIds, FirstActorGetsIdOneAndIdsAreNotReused) {
    EXPECT_EQ(game.createActor()->id, 1);
    EXPECT_EQ(game.createActor()->id, 2);
    game.actors[2]->removeFlag = true;
    game.tick();
    ASSERT_EQ(game.actors.count(2), 0u);
    Actor* third = game.createActor();
    EXPECT_EQ(third->id, 3);
    EXPECT_EQ(game.actors.at(3).get(), third);
}

TEST_F(ActorIds, WrappedCounterTakesTheSmallestFreeId) {
    for (int i = 0; i < 4; ++i) game.createActor();
    game.actors[3]->health = 0;
    game.tick();
    game.nextActorId = 0;
    EXPECT_EQ(game.createActor()->id, 3);
    EXPECT_EQ(game.createActor()->id, 5);
    EXPECT_EQ(game.nextActorId, 0);
}

void killOnUpdate(Actor& actor, GameState&) { actor.health = 0; }

class ActorSweep : public FrameworkTest {};

TEST_F(ActorSweep, ActorKilledDuringUpdateIsRemovedInTheSameTick) {
    actorKinds.kinds[mouseKind].update = killOnUpdate;
    game.createActor();
    game.tick();
    EXPECT_TRUE(game.actors.empty());
}

TEST_F(ActorSweep, DeadActorIsRemovedWithItsBurst) {
    selectGame(catGameId);
    game.createActor()->health = 0;
    game.tick();
    EXPECT_TRUE(game.actors.empty());
    EXPECT_EQ(static_cast<int>(game.effects.size()), actorKinds.kinds[mouseKind].spawnCount);
}

TEST_F(ActorSweep, FlaggedActorIsRemovedWithoutBurst) {
    selectGame(catGameId);
    actorKinds.kinds[mouseKind].update = [](Actor& actor, GameState&) { actor.removeFlag = true; };
    game.createActor();
    game.tick();
    EXPECT_TRUE(game.actors.empty());
    EXPECT_TRUE(game.effects.empty());
}

TEST_F(ActorSweep, RemovingAHeldActorReleasesItsHolder) {
    actorKinds.kinds[mouseKind].releasesHolder = true;
    Actor* actor = game.createActor();
    actor->owner = 1;
    actor->health = 0;
    game.players[1].heldActorId = actor->id;
    game.tick();
    EXPECT_EQ(game.players[1].heldActorId, 0);
    EXPECT_EQ(game.lost, std::vector<int>{1});
}

class DeathBurst : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        selectGame(catGameId);
    }
};

TEST_F(DeathBurst, MouseBurstsIntoSparksOfItsOwnColoursAtItsCell) {
    Actor* mouse = game.createActor();
    mouse->x = 5150;  // cell 80 and a half: sparks start at the whole cell
    mouse->health = 0;
    burstActor(*mouse, game);
    EXPECT_EQ(mouse->health, -1);
    ASSERT_EQ(game.effects.size(), 64u);
    int fours = 0;
    for (const auto& spark : game.effects) {
        EXPECT_EQ(spark->type, sparkEffect);
        EXPECT_EQ(spark->x, 80 * 64);
        EXPECT_EQ(spark->y, 75 * 64);
        EXPECT_TRUE(spark->value == 3 || spark->value == 4) << spark->value;
        fours += spark->value == 4;
    }
    EXPECT_LT(fours, 16);
}

TEST_F(DeathBurst, BurstPicksRowThenColumnFromTheApplicationSource) {
    RandomStream reference(777);
    appRandomSource.seed(777);
    Actor* mouse = game.createActor();
    burstActor(*mouse, game);
    const Sprite& sprite = *spriteAt(mouseSprite);
    for (const auto& spark : game.effects) {
        int value = 0;
        while (value == 0 || value == 9) {
            const int row = static_cast<int>(reference.draw() % sprite.size);
            value = sprite.pixels[row][reference.draw() % sprite.size];
        }
        ASSERT_EQ(spark->value, value);
    }
    EXPECT_EQ(appRandomSource.draw(), reference.draw());
}

TEST_F(DeathBurst, KindWithoutSpawnTypeLeavesNothing) {
    actorKinds.kinds[mouseKind].spawnType = 0;
    Actor* mouse = game.createActor();
    burstActor(*mouse, game);
    EXPECT_EQ(mouse->health, -1);
    EXPECT_TRUE(game.effects.empty());
}

TEST_F(DeathBurst, KindWithoutSpriteLeavesNothing) {
    Actor* square = game.createActor();
    square->kind = squareKind;
    actorKinds.kinds[squareKind].spawnType = sparkEffect;
    actorKinds.kinds[squareKind].spawnCount = 10;
    burstActor(*square, game);
    EXPECT_TRUE(game.effects.empty());
}

class SpeedLimit : public FrameworkTest {
protected:
    Actor moving(int vx, int vy) {
        Actor a;
        a.vx = vx;
        a.vy = vy;
        return a;
    }
};

TEST_F(SpeedLimit, EuclideanModeScalesTheLengthDownToTheLimit) {
    Actor a = moving(90, 0);
    limitSpeed(a, 80, 0);
    EXPECT_EQ(a.vx, 80);
    EXPECT_EQ(a.vy, 0);
    Actor b = moving(-60, 80);
    limitSpeed(b, 80, 0);
    EXPECT_EQ(b.vx, -48);
    EXPECT_EQ(b.vy, 64);
}

TEST_F(SpeedLimit, ManhattanModeScalesTheSumOfMagnitudes) {
    Actor a = moving(60, 60);
    limitSpeed(a, 80, 1);
    EXPECT_EQ(a.vx, 40);
    EXPECT_EQ(a.vy, 40);
    Actor b = moving(50, -30);
    limitSpeed(b, 80, 1);
    EXPECT_EQ(b.vx, 50);
    EXPECT_EQ(b.vy, -30);
}

TEST_F(SpeedLimit, ClampModeCutsEachComponentToTheLimitKeepingItsSign) {
    Actor a = moving(100, -90);
    limitSpeed(a, 80, 2);
    EXPECT_EQ(a.vx, 80);
    EXPECT_EQ(a.vy, -80);
    Actor b = moving(80, -80);
    limitSpeed(b, 80, 2);
    EXPECT_EQ(b.vx, 80);
    EXPECT_EQ(b.vy, -80);
}

TEST_F(SpeedLimit, EaseModeMovesComponentsOverTheLimitOneTowardZero) {
    Actor a = moving(100, -90);
    limitSpeed(a, 80, 3);
    EXPECT_EQ(a.vx, 99);
    EXPECT_EQ(a.vy, -89);
    Actor b = moving(80, 20);
    limitSpeed(b, 80, 3);
    EXPECT_EQ(b.vx, 80);
    EXPECT_EQ(b.vy, 20);
}

TEST_F(SpeedLimit, StandingActorSurvivesANegativeLimit) {
    Actor a = moving(0, 0);
    limitSpeed(a, -5, 0);
    limitSpeed(a, -5, 1);
    EXPECT_EQ(a.vx, 0);
    EXPECT_EQ(a.vy, 0);
}

TEST_F(SpeedLimit, PanicRaisesTheLimitUpToTwiceTheSpeed) {
    const ActorKind& mouse = actorKinds.kinds[mouseKind];
    EXPECT_EQ(speedLimit(mouse, 7), 80);
    EXPECT_EQ(speedLimit(mouse, 80), 90);
    EXPECT_EQ(speedLimit(mouse, 100000), 160);
}

TEST_F(SpeedLimit, ActorUpdateLimitsByItsKindAndCountsDownItsTimer) {
    Actor* actor = game.createActor();
    actor->vx = 200;
    actor->panic = 16;
    actor->timer = 3;
    updateActor(*actor, game);
    EXPECT_EQ(actor->vx, 82);
    EXPECT_EQ(actor->timer, 2);
}

class Friction : public FrameworkTest {
protected:
    Actor* square() {
        Actor* a = game.createActor();
        a->kind = squareKind;
        return a;
    }
};

TEST_F(Friction, FullGripSlowsBothComponentsWithoutDrawing) {
    Actor* a = square();
    a->grip = 16;
    a->vx = 5;
    a->vy = -5;
    updateActor(*a, game);
    EXPECT_EQ(a->vx, 4);
    EXPECT_EQ(a->vy, -4);
    EXPECT_EQ(game.gameRandomDraws, 0);
}

TEST_F(Friction, PartialGripStrikesWhenItsCountedDrawComesUpZero) {
    constexpr int grip = 12;
    constexpr int updates = 200;
    Actor* a = square();
    a->grip = grip;
    a->vx = 60;
    a->vy = -60;
    RandomStream reference(1);
    int vx = 60;
    int vy = -60;
    for (int i = 0; i < updates; ++i) {
        updateActor(*a, game);
        if (reference.draw() % (16 - grip) == 0 && vx > 0) --vx;
        if (reference.draw() % (16 - grip) == 0 && vy < 0) ++vy;
        ASSERT_EQ(a->vx, vx) << "update " << i;
        ASSERT_EQ(a->vy, vy) << "update " << i;
    }
    EXPECT_EQ(game.gameRandomDraws, 2 * updates);
}

class ActorDrawing : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        std::memset(canvas.cells, -1, sizeof canvas.cells);
        std::memset(cellShades, 0, sizeof cellShades);
        std::memset(vertexGrid.agitation, 0, sizeof vertexGrid.agitation);
    }
    Actor* square(int cx, int cy, int grip, int owner) {
        Actor* a = game.createActor();
        a->kind = squareKind;
        a->x = cx * 64;
        a->y = cy * 64;
        a->grip = grip;
        a->owner = owner;
        return a;
    }
    int cell(int x, int y) { return canvas.cells[cellIndex(x, y)]; }
};

TEST_F(ActorDrawing, SquareLeavesShadeOnItsOwnersChannel) {
    drawActor(*square(10, 20, 1, 1), game);
    const int left = game.fieldLeft();
    for (int x = left + 9; x <= left + 11; ++x) {
        for (int y = 19; y <= 21; ++y) {
            EXPECT_EQ(cell(x, y), 6);
            const CellShade& shade = cellShades[cellIndex(x, y)];
            EXPECT_FLOAT_EQ(shade.slow[1], 0.08f);
            EXPECT_FLOAT_EQ(shade.fast[1], 0.35f);
            EXPECT_EQ(shade.slow[0], 0.0f);
        }
    }
    EXPECT_EQ(cell(left + 12, 20), -1);
    EXPECT_EQ(cell(left + 10, 22), -1);
}

TEST_F(ActorDrawing, SquareShrinksWithPanicAndIsClippedAtTheCanvas) {
    drawActor(*square(0, 99, 5, 0), game);
    drawActor(*square(152, 50, 3, 0), game);
    const int left = game.fieldLeft();
    EXPECT_EQ(cell(left, 99), 3);
    EXPECT_EQ(cell(left + 5, 94), 3);
    EXPECT_EQ(cell(left - 1, 99), -1);
    EXPECT_EQ(cell(159, 50), 3);
    Actor* panicked = square(40, 40, 5, 0);
    panicked->panic = 4;
    drawActor(*panicked, game);
    EXPECT_EQ(cell(left + 41, 40), 3);
    EXPECT_EQ(cell(left + 42, 40), -1);
}

TEST_F(ActorDrawing, OwnerlessSquareLeavesNoShade) {
    drawActor(*square(10, 20, 0, -1), game);
    const CellShade& shade = cellShades[cellIndex(game.fieldLeft() + 10, 20)];
    EXPECT_EQ(cell(game.fieldLeft() + 10, 20), 0);
    EXPECT_EQ(shade.slow[0] + shade.slow[1] + shade.fast[0] + shade.fast[1], 0.0f);
}

TEST_F(ActorDrawing, MouseAgitatesItsCellOncePerVisiblePixel) {
    selectGame(catGameId);
    game.fear = 1000;
    Actor* mouse = game.createActor();
    drawActor(*mouse, game);
    const int cx = game.fieldLeft() + 80;
    EXPECT_NEAR(vertexGrid.agitation[vertexIndex(cx, 75)], 35 * 1000 * 0.00002f, 1e-5f);
    EXPECT_EQ(vertexGrid.agitation[vertexIndex(cx + 1, 75)], 0.0f);
    EXPECT_EQ(cell(cx, 75), 3);
}

}  // namespace
