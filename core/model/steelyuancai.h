#pragma once
// Raw stock: the commercial bar lengths that bars are cut from. A record is
// one stock bar kind; the cutting optimisation takes a list of them.

class CVes_SteelYuanCai {
public:
    static constexpr int kDefaultLength = 12000;

    CVes_SteelYuanCai() = default;
    CVes_SteelYuanCai(int length, int count) : length(length), count(count) {}
    CVes_SteelYuanCai(const CVes_SteelYuanCai&) = default;
    CVes_SteelYuanCai& operator=(const CVes_SteelYuanCai&) = default;
    virtual ~CVes_SteelYuanCai() = default;

    // Orders stock by length only, shortest first.
    bool operator<(const CVes_SteelYuanCai& other) const { return length < other.length; }

    float DN = 0.0f;
    int steelType = 0;
    int grade = 0;
    int length = kDefaultLength;  // mm
    int count = 1;                // bars available; below 0 unlimited, 0 none left
    float price = 0.0f;
    int number = 0;               // the stock bar's number on the cutting list
    int extra = 0;                // carried along with the record
};
