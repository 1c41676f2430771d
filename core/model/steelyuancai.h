#pragma once
// Raw stock: the commercial bar lengths that bars are cut from. A record is
// one stock bar kind; the cutting optimisation takes a list of them.

#include <memory>
#include <vector>

class QString;

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

// A list of stock kinds read from a raw-stock XML file, with lookups of the
// stock length and price of a bar size.
class CVes_SteelYuanCaiLib {
public:
    CVes_SteelYuanCaiLib() = default;
    CVes_SteelYuanCaiLib(const CVes_SteelYuanCaiLib&) = delete;
    CVes_SteelYuanCaiLib& operator=(const CVes_SteelYuanCaiLib&) = delete;
    virtual ~CVes_SteelYuanCaiLib();

    void removeAllYuanCai();

    // Replaces the list with the "STEEL" elements of the file's root element
    // "STEELYUANCAI". A file that cannot be read or has another root leaves
    // the list as it was and answers false.
    bool readFile(const QString& path);
    // Raw stock is not written from here; the file is left as it is.
    void writeFile(const QString& path) const;

    // The first record of exactly this diameter, grade and bar type; 0 when
    // there is none.
    int getYuanCaiLength(float d, unsigned grade, unsigned type) const;
    float getYuanCaiPrice(float d, unsigned grade, unsigned type) const;

    int count() const { return int(m_records.size()); }
    // The record at `index` in file order, or null outside 0..count()-1.
    const CVes_SteelYuanCai* at(int index) const;

private:
    const CVes_SteelYuanCai* find(float d, unsigned grade, unsigned type) const;

    std::vector<std::unique_ptr<CVes_SteelYuanCai>> m_records;
};
