#include "framework/instructions.h"

#include <string>

#include "graphics/text.h"

namespace {

// One glyph a key runs together ("wasd"); names are set apart by spaces.
std::string keysText(const KeyLabels& labels, const KeyLine& line) {
    const auto& keys = labels.keys[line.player];
    bool glyphs = true;
    for (int b : line.buttons) glyphs = glyphs && keys[b].size() == 1;
    std::string text;
    for (int b : line.buttons) {
        if (!text.empty() && !glyphs) text += ' ';
        text += keys[b];
    }
    return text;
}

// Each side of a net game plays one paw, with either set of keys.
constexpr const char* netPawLine[playerCount] = {"you play the left paw.", "you play the right paw."};

void drawNetPawLines(const Instructions& in, const KeyLabels& labels) {
    drawText(netPawLine[labels.netPlayer], in.left, in.keyLines[0].y, in.textColour);
    const std::string keys = keysText(labels, in.keyLines[0]) + " or " + keysText(labels, in.keyLines[1]);
    drawText(keys.c_str(), in.left, in.keyLines[1].y, in.keyColour);
    drawText("moves it.", in.left + textWidth((keys + " ").c_str()), in.keyLines[1].y, in.textColour);
}

}  // namespace

void drawInstructionLines(const Instructions& in, const KeyLabels& labels) {
    for (const TextLine& line : in.textLines) drawText(line.text, in.left, line.y, in.textColour);
    if (labels.netPlayer >= 0 && labels.netPlayer < playerCount) return drawNetPawLines(in, labels);
    for (const KeyLine& line : in.keyLines) {
        std::string keys = keysText(labels, line);
        drawText(keys.c_str(), in.left, line.y, in.keyColour);
        drawText(line.text, in.left + textWidth((keys + " ").c_str()), line.y, in.textColour);
    }
}
