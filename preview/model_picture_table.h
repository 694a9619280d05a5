// The device pictures of the printer models: for each model picture, its body and the optional
// units it shows (decks under the body, a side deck, two finishers, a unit on top) with the
// device-option bits or finisher codes that install them, and the rule that places them. Every
// model is a row of data; one layout serves them all.
#pragma once

#include "core/helpers/byte_view.h"
#include "preview/picture_layer.h"

#include <windows.h>

#include <cstdint>

// A bit of the device-option data: byte and bit; byte 0xFFFF names no bit (never installed).
struct OptionBit {
    uint16_t byte;
    uint8_t bit;
};

struct ModelPictureRow {
    const char* code;
    uint16_t body;            // bitmap id of the printer body
    int16_t bodyWidth, bodyHeight;
    int16_t down;             // the body's distance below the picture's top strip
    uint8_t smallFinishers[4];    // finisher codes (byte 0) that show the small finisher, 0 ends
    uint8_t bookletFinishers[4];  // codes that show the finisher with booklet unit
    OptionBit decks[3];       // the decks under the body: sources 2, 264, 270
    OptionBit sideDeck;       // source 265
    OptionBit topUnit;        // the unit on top, the picture's option part
    bool wide;                // the pop-up family: a wide device page
};

// The row of a model number; the default row for a number no row lists. Never null.
const ModelPictureRow* ModelPictureOf(uint16_t model);
// Every row, for the tests and the pictures drawn per model.
const ModelPictureRow* ModelPictureRows(int* count);

// Paper-source values the pictures know, in the order of their places.
inline constexpr uint16_t kPictureSources[] = {1, 3, 4, 2, 264, 270, 265};

// Where a model's picture puts its layers and clickable sources, for the installed options of the
// device-option data and a body whose top-left is (left, top) before centring.
struct ModelPictureLayout {
    static constexpr int kMaxLayers = 12;
    static constexpr int kMaxSpots = 8;
    struct Spot {
        uint16_t value;  // paper-source value
        RECT rect;       // picture pixels
        uint16_t mark;   // bitmap of the frame that marks it selected
        POINT markAt;
    };
    PictureLayer layers[kMaxLayers] = {};
    int layerCount = 0;
    Spot spots[kMaxSpots] = {};
    int spotCount = 0;
    bool hasTopUnit = false;
    RECT topUnit = {};
    int width = 0;  // of the whole group
};
void LayOutModelPicture(const ModelPictureRow& row, const ByteView& options, int top, ModelPictureLayout& out);
// Moves every layer and spot right by dx.
void ShiftModelPicture(ModelPictureLayout& layout, int dx);
