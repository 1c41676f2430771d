#pragma once
// A hook bent at one end of a bar.

namespace platform { class Archive; }

class CVes_Hook {
public:
    CVes_Hook() = default;
    CVes_Hook(const CVes_Hook&) = default;
    CVes_Hook& operator=(const CVes_Hook&) = default;
    virtual ~CVes_Hook() = default;

    // Two hooks that are both off are equal whatever their other fields.
    bool operator==(const CVes_Hook& other) const;
    bool operator!=(const CVes_Hook& other) const { return !(*this == other); }

    // The straight length after the hook's bend for a bar of diameter `d`;
    // `family` 1 takes the stirrup settings. A 135° hook is never shorter
    // than 75 mm.
    float getWhanHouLen(float d, unsigned family) const;

    void Serialize(platform::Archive& ar);

    int enabled = 0;
    int kind = 4;     // 1 = 90°, 2 = 135°, 4 = 180°
    int param = 8;    // 8 clockwise, 16 counter-clockwise
    float realParam = 3.0f;
};
