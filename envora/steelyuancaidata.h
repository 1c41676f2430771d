#pragma once
// Raw stock: the commercial bars (diameter, bar type, grade, stock length,
// price) that bars are cut from and priced by. Every table carries its own
// library inside its file; the user's default library is "KUCUN.xml" in the
// data folder.

#include <QString>
#include <memory>
#include <vector>

namespace platform {
class Archive;
}

class CVes_SteelYuanCaiData {
public:
    // Length of a stock record nobody has set: a 12 m bar.
    static constexpr int kDefaultLength = 12000;

    float DN = 0.0f;     // diameter, mm
    int steelType = 0;   // 0 ordinary, 1 epoxy-coated
    int grade = 0;       // grade code
    int length = kDefaultLength;  // mm; below 0 coiled stock, 0 not defined
    float price = 0.0f;  // yuan per tonne; 0 not priced
    QString name;        // the user's note, e.g. "盘螺" or a supplier

    // The stock length in metres, as the sheets and dialogs show it.
    double lengthMetres() const { return length * 0.001; }
    void setLengthMetres(double metres);

    bool operator==(const CVes_SteelYuanCaiData&) const = default;
};

class CVes_SteelYuanCaiDataLib {
public:
    CVes_SteelYuanCaiDataLib();
    ~CVes_SteelYuanCaiDataLib();
    CVes_SteelYuanCaiDataLib(const CVes_SteelYuanCaiDataLib& other);
    CVes_SteelYuanCaiDataLib& operator=(const CVes_SteelYuanCaiDataLib& other);
    CVes_SteelYuanCaiDataLib(CVes_SteelYuanCaiDataLib&&) noexcept;
    CVes_SteelYuanCaiDataLib& operator=(CVes_SteelYuanCaiDataLib&&) noexcept;

    // Replaces the records with those of a raw-stock file. A file that is
    // missing or cannot be read, or holds a diameter outside
    // 0 … envora::kMaxStoredDiameter or a name that a table's file cannot
    // hold (GBK), leaves the library as it was and answers false, with the
    // reason in `error` (a new library stays empty).
    bool readFile(const QString& path, QString* error = nullptr);
    // Writes the records to a raw-stock file (atomically); false on failure.
    bool writeFile(const QString& path, QString* error = nullptr) const;

    int count() const { return int(m_records.size()); }
    // The record at `index`, or null outside 0..count()-1.
    CVes_SteelYuanCaiData* at(int index);
    const CVes_SteelYuanCaiData* at(int index) const;
    // Appends a copy that the library owns; answers the copy.
    CVes_SteelYuanCaiData* append(const CVes_SteelYuanCaiData& record);
    void removeAt(int index);
    void removeAll();

    // The first record whose diameter equals `d` exactly and whose grade and
    // bar type are `grade` and `type`; null when there is none.
    CVes_SteelYuanCaiData* getYuanCai(float d, unsigned grade, unsigned type);
    const CVes_SteelYuanCaiData* getYuanCai(float d, unsigned grade, unsigned type) const;

    // The library's block inside a table file: schema 1, the record count,
    // then per record DN (float), bar type, grade, length (ints), price
    // (float) and the note (text). Loading replaces the records only when
    // the whole block was read.
    void Serialize(platform::Archive& ar);

    bool operator==(const CVes_SteelYuanCaiDataLib& other) const;

private:
    std::vector<std::unique_ptr<CVes_SteelYuanCaiData>> m_records;
};

namespace envora {
// The user's default raw-stock file: "KUCUN.xml" in the data folder.
QString defaultYuanCaiPath();
}
