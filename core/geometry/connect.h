#pragma once
// How one end of a bar is joined to the next bar: the connection type (0 no
// joint, 1 tied lap, 2 flash butt weld, 3 electroslag pressure weld, 4
// single-side lap weld, 5 double-side lap weld, 6 pressed sleeve, 7 taper
// thread coupler, 8 straight thread coupler) and the values that go with it.

namespace platform { class Archive; }

class CVes_Connect {
public:
    CVes_Connect() = default;
    CVes_Connect(const CVes_Connect&) = default;
    CVes_Connect& operator=(const CVes_Connect&) = default;
    virtual ~CVes_Connect() = default;

    // All six fields equal.
    bool operator==(const CVes_Connect& other) const;
    bool operator!=(const CVes_Connect& other) const { return !(*this == other); }
    // Equal for merging bars: the type; for welds (2-5) the value; for thread
    // couplers (7, 8) this end's direction.
    bool compareReal(const CVes_Connect& other) const;

    // Schema 1: type, param, flag, direction, farDirection, farDN.
    void Serialize(platform::Archive& ar);

    int type = 0;
    int param = 0;
    int flag = 1;
    int direction = 1;    // 1 plain thread, 0 reversed
    int farDirection = 1; // the thread of the bar on the far side
    float farDN = 10.0f;  // the diameter of the bar on the far side
};
