#pragma once

#include <cstdint>

enum TFlatBtnType : std::uint8_t { bsButton, bsRadioButton, bsUpButton, bsDownButton, bsHintButton };

// Where the glyph stands relative to the caption.
enum TGlyphPosition : std::uint8_t { bsTop, bsBottom, bsLeft, bsRight };

enum TFlatBtnAbout : std::uint8_t { abNone, abAbout };

// PressedAway (left button held, pointer elsewhere) looks like Normal.
enum class TFlatBtnMouseState : std::uint8_t { Normal = 0, Hot = 1, Pressed = 2, PressedAway = 3 };
