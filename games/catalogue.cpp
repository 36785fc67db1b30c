#include "games/catalogue.h"

#include "games/pawtrap.h"
#include "games/yarnball.h"

namespace {

// Ends the list: an entry with its id and nothing else.
constexpr GameEntry endEntry() {
    GameEntry end{};
    end.id = catalogueEndId;
    end.title = "";
    return end;
}

constexpr GameEntry catalogueEnd = endEntry();

int positionOf(int id) {
    for (int i = 0; gameCatalogue[i]->id != catalogueEndId; ++i) {
        if (gameCatalogue[i]->id == id) return i;
    }
    return -1;
}

}  // namespace

const GameEntry* const gameCatalogue[] = {&pawtrapEntry, &yarnballEntry, &catalogueEnd};

const GameEntry* findGameEntry(int id) {
    const int position = positionOf(id);
    return position < 0 ? nullptr : gameCatalogue[position];
}

const GameEntry* findGameByTitle(const std::string& title) {
    for (const GameEntry* const* entry = gameCatalogue; (*entry)->id != catalogueEndId; ++entry) {
        if (title == (*entry)->title) return *entry;
    }
    return nullptr;
}

int neighbourGameId(int id, int step) {
    const int count = gameCount();
    const int position = positionOf(id);
    if (position < 0 || count == 0) return id;
    return gameCatalogue[((position + step) % count + count) % count]->id;
}

int gameCount() {
    int count = 0;
    while (gameCatalogue[count]->id != catalogueEndId) ++count;
    return count;
}

const std::vector<std::string>& catalogueTitles() {
    static const std::vector<std::string> titles = [] {
        std::vector<std::string> list;
        for (int i = 0; i < gameCount(); ++i) list.push_back(gameCatalogue[i]->title);
        return list;
    }();
    return titles;
}

std::string gameTitles() {
    std::string titles;
    for (int i = 0; i < gameCount(); ++i) titles += (i ? ", " : "") + std::string(gameCatalogue[i]->title);
    return titles;
}
