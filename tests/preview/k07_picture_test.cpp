// The default model's picture rules: which layers the finisher type and the units of the
// device-option data give, where the body offset puts them (room for the finisher by its type,
// for the model's top by its number), the selected source's frame, the unit of option 200, and
// the clickable sources and option part.
#include "preview/k07_picture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Block {
    uint8_t bytes[16] = {};
    Block(uint8_t finisher, uint8_t accessory, uint8_t units, uint8_t flags) {
        bytes[0] = finisher;
        bytes[1] = accessory;
        bytes[5] = units;
        bytes[9] = flags;
    }
    ByteView View() const { return ByteView(bytes, sizeof bytes); }
};

const PictureLayer* Find(const K07Picture& p, uint16_t id) {
    for (int i = 0; i < p.layerCount; ++i)
        if (p.layers[i].pictureId == id) return &p.layers[i];
    return nullptr;
}

const K07Picture::Part* FindPart(const K07Picture& p, uint16_t value, uint16_t flags) {
    for (int i = 0; i < p.partCount; ++i)
        if (p.parts[i].value == value && p.parts[i].flags == flags) return &p.parts[i];
    return nullptr;
}

constexpr uint16_t kBody = 28037, kBypassTray = 28044, kOutputTray = 28039;

// Each finisher stands within the picture against the body's left side, moved by the offset its
// type gives; the taller models' tops sit on the body, which moves down by their height.
TEST(K07Picture, TheFinisherAndTheModelHeightPlaceTheBody) {
    struct Case {
        const char* name;
        Block block;
        uint16_t model;
        uint16_t finisher;  // 0: the output tray instead
        int finisherWidth;
        int dx, dy;
        uint16_t topId;  // 0: an entry that draws nothing
    };
    const Case cases[] = {
        {"none, model 2064", {0, 0, 0, 0}, 2064, 0, 0, 0, 37, 28060},
        {"none, unlisted model", {0, 0, 0, 0}, 9999, 0, 0, 0, 0, 0},
        {"none, model 2026 without a top", {0, 0, 0, 0}, 2026, 0, 0, 0, 37, 0},
        {"type 10 with the inserter", {10, 0, 0x40, 0}, 1007, 28045, 60, 10, 46, 28061},
        {"type 11 without it", {11, 0, 0, 0}, 1006, 28045, 60, 14, 37, 28059},
        {"type 14", {14, 0, 0, 0}, 9999, 28050, 64, 14, 0, 0},
        {"type 12", {12, 0, 0, 0}, 9999, 28046, 71, 21, 0, 0},
        {"type 13, variant", {13, 0x02, 0, 0}, 9999, 28047, 75, 25, 0, 0},
        {"type 12 on its base", {12, 0, 0, 0x20}, 9999, 28048, 75, 25, 0, 0},
        {"type 13, variant on its base", {13, 0x02, 0, 0x20}, 9999, 28049, 77, 27, 0, 0},
    };
    for (const Case& c : cases) {
        K07Picture p;
        BuildK07Layers(c.block.View(), c.model, false, -1, 0, 0, p);
        const POINT d = K07BodyOffset(c.block.View(), c.model);
        EXPECT_EQ(d.x, c.dx) << c.name;
        EXPECT_EQ(d.y, c.dy) << c.name;
        const PictureLayer* body = Find(p, kBody);
        ASSERT_NE(body, nullptr) << c.name;
        EXPECT_EQ(body->x, 50 + c.dx) << c.name;
        EXPECT_EQ(body->y, 30 + c.dy) << c.name;
        EXPECT_NE(Find(p, kBypassTray), nullptr) << c.name;
        if (c.finisher) {
            const PictureLayer* f = Find(p, c.finisher);
            ASSERT_NE(f, nullptr) << c.name;
            EXPECT_EQ(f->x + c.finisherWidth, body->x) << c.name << ": the finisher meets the body";
            EXPECT_GE(f->x, 0) << c.name << ": within the picture";
            EXPECT_EQ(Find(p, kOutputTray), nullptr) << c.name;
        } else {
            EXPECT_NE(Find(p, kOutputTray), nullptr) << c.name << ": no finisher, the output tray";
        }
        const PictureLayer& last = p.layers[p.layerCount - 1];
        EXPECT_EQ(last.pictureId, c.topId) << c.name << ": the model's top is the last entry";
        if (c.topId) {
            EXPECT_EQ(last.y + (c.topId == 28061 ? 46 : 37), body->y) << c.name << ": it sits on the body";
        }
    }
}

// The selected source's frame sits on its source; the large-capacity drawer takes the frame of
// source 2 at its own place; the unit of option 200 only over an installed unit.
TEST(K07Picture, TheSelectedSourceIsFramedInItsPlace) {
    const Block block(13, 0x03, 0x42, 0x20);  // variant with its unit, on its base; both side units
    const POINT d = K07BodyOffset(block.View(), 0);
    ASSERT_EQ(d.x, 27);
    struct Case {
        int selected;
        uint16_t frame;
        int x, y;
    };
    for (auto c : {Case{1, 28038, 89, 58}, Case{3, 28038, 56, 58}, Case{2, 28041, 56, 77}, Case{264, 28041, 56, 85},
                   Case{4, 28042, 129, 42}, Case{265, 28043, 132, 71}, Case{266, 28056, -20, 40}, Case{7, 0, 0, 0},
                   Case{-1, 0, 0, 0}}) {
        K07Picture p;
        BuildK07Layers(block.View(), 0, true, c.selected, 0, 10, p);
        int frames = 0;
        for (uint16_t id : {28038, 28041, 28042, 28043, 28056, 28057, 28058}) frames += Find(p, id) != nullptr;
        EXPECT_EQ(frames, c.frame ? 1 : 0) << c.selected;
        if (!c.frame) continue;
        const PictureLayer* f = Find(p, c.frame);
        ASSERT_NE(f, nullptr) << c.selected;
        EXPECT_EQ(f->x, c.x + d.x) << c.selected;
        EXPECT_EQ(f->y, c.y + 10) << c.selected << ": below the mode strip";
    }
    K07Picture p;
    BuildK07Layers(block.View(), 0, true, -1, 1, 0, p);
    const PictureLayer* option = Find(p, 28052);
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->x, 5 + d.x) << "the variant's unit stands further left";
    BuildK07Layers(Block(13, 0x02, 0, 0x20).View(), 0, true, -1, 1, 0, p);
    EXPECT_EQ(Find(p, 28052), nullptr) << "no unit, nothing of option 200";
    BuildK07Layers(block.View(), 0, false, 1, 1, 0, p);
    EXPECT_EQ(Find(p, 28038), nullptr) << "the device page frames no source";
    EXPECT_EQ(Find(p, 28052), nullptr);
}

// The sources 1, 3, 2 and 264 are always parts, 265 and 266 with their units, 4 unless the
// device variant is 3; the option part follows the unit's place; all move with the body.
TEST(K07Picture, TheSourcesAndTheOptionAreParts) {
    struct Case {
        const char* name;
        Block block;
        int variant;
        bool option;
        int partCount;
    };
    for (auto c : {Case{"bare", {0, 0, 0, 0}, 0, false, 5}, Case{"variant 3", {0, 0, 0, 0}, 3, false, 4},
                   Case{"side units and option", {12, 0x01, 0x42, 0}, 1, true, 8}}) {
        K07Picture p;
        BuildK07Parts(c.block.View(), 2064, c.variant, c.option, 0, p);
        const POINT d = K07BodyOffset(c.block.View(), 2064);
        EXPECT_EQ(p.partCount, c.partCount) << c.name;
        for (uint16_t value : {1, 3, 2, 264}) EXPECT_NE(FindPart(p, value, 0x0682), nullptr) << c.name << value;
        EXPECT_EQ(FindPart(p, 4, 0x0682) != nullptr, c.variant != 3) << c.name;
        const K07Picture::Part* one = FindPart(p, 1, 0x0682);
        ASSERT_NE(one, nullptr);
        EXPECT_EQ(one->rect.left, 89 + d.x) << c.name;
        EXPECT_EQ(one->rect.top, 58 + d.y) << c.name;
        if (c.option) {
            const K07Picture::Part* option = FindPart(p, 0, 0x0302);
            ASSERT_NE(option, nullptr) << c.name;
            EXPECT_EQ(option->extra, 1);
            EXPECT_EQ(option->rect.left, 17 + d.x);
            EXPECT_EQ(option->rect.right - option->rect.left, 37);
            const K07Picture::Part* inserter = FindPart(p, 266, 0x0682);
            ASSERT_NE(inserter, nullptr);
            EXPECT_EQ(inserter->rect.right, 6 + d.x) << "the large finisher's inserter";
        }
    }
}

}  // namespace
