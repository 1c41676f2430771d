#pragma once
// The bar of every table: a shape instance with its number, count, grade,
// type, diameter, length and remark, the options for bend diameters, and the
// rules that turn the shape into the bar's cutting length. Also the order
// in which tables sort bars and the equality by which they merge them.

#include "core/model/modelreference.h"

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class CVes_BarCore : public CVes_ModelReference {
public:
    // The sort mode of operator<. Bits: 0x20 bend count only (more first);
    // 0x04 diameter, grade and type ascending (else descending); 0x01 stored
    // length ascending, else 0x02 descending; the shape key last.
    static std::atomic<unsigned int> m_sort;
    static constexpr unsigned int kSortByBends = 0x20;
    static constexpr unsigned int kSortAscending = 0x04;
    static constexpr unsigned int kSortLengthUp = 0x01;
    static constexpr unsigned int kSortLengthDown = 0x02;
    // Lengths (mm) that differ by no more than this are the same for merging.
    static constexpr double kSameLength = 0.1;

    CVes_BarCore();
    // Copies the fields, the bend count as it is.
    CVes_BarCore(const CVes_BarCore& other);
    CVes_BarCore& operator=(const CVes_BarCore& other);
    ~CVes_BarCore() override;

    void setRecoedDN(CVes_ModelRecord* record) override;
    void setRecordId(CSteelRecordId key) override;
    using CVes_ModelReference::set;
    virtual void set(const CVes_BarCore* other);
    // Whether the ends match: hooks equal and connections alike, this bar's
    // left end against the other's left (compareDuanTou) or right
    // (compareDuanTouR).
    virtual int compareDuanTou(const CVes_BarCore* other) const;
    virtual int compareDuanTouR(const CVes_BarCore* other) const;

    // A connection that led to a bar of the old diameter now leads to one of
    // the new diameter.
    void setDN(float d);
    float getDN() const { return DN; }
    void setSteel(int gradeCode, float d, int type);
    void setSteelId(const QString& text) { number = text; }
    void setNum(int n) { count = n; }
    void setLength(int value) { length = float(value); }
    // Whether the bar's length is computed from its shape (1) or typed (0).
    // A bar whose length stops being computed keeps the length it had: its
    // computed length (getLength of the first bar, `factor` as there)
    // becomes the typed one.
    void setLengthComputed(int computed, double factor);
    void setRemark(const QString& text) { remark = text; }
    void setLle(float value);
    void setLae(float value);
    void setLa(float value);
    void setBhc(float value);

    // Equal for merging: same material and flags, lengths within 0.1 mm, the
    // same geometry and matching ends, forwards or reversed.
    int isSame(CVes_BarCore& other);
    bool operator==(const CVes_BarCore& other);
    // Ordered by m_sort.
    bool operator<(const CVes_BarCore& other) const;
    // Ordered by the given mode, for callers that sort on their own thread.
    static bool lessThan(const CVes_BarCore& a, const CVes_BarCore& b, unsigned int mode);
    static void setSort(unsigned int mode) { m_sort.store(mode); }

    // Length rules. `sel` picks the values of varying dimensions (0 the first,
    // 1 the second); `factor` scales the diameter.
    // The bar's length as tables show it: the stored length when it is not
    // computed, else the pieces' lengths times their counts.
    float getLength(unsigned int sel, double factor);
    // Appends each piece's length and count to the arrays and answers the sum
    // of length times count over all their entries.
    float calculateGroupLength(std::vector<float>& lengths, std::vector<int>& counts,
                               unsigned int sel, double factor);
    // The whole bar as one piece; also refreshes the stored length.
    float calculateLength(unsigned int sel, double factor);
    // The same, leaving the stored length as it is: what comparing and
    // checking bars reads.
    float lengthAsCalculated(unsigned int sel, double factor);
    // What the joint at angle A between two sides adds (negative: deducts).
    float calculateZhesunLength(float A, int prevKind, int curKind, int outDim) const;
    float getHookLength(CVes_Hook hook, double factor) const;
    // The bend inner diameter at an angle in degrees.
    float getWanZheNeiJing(float angle) const;
    // Sides of the shape plus one per hook that is on; also kept in bendCount.
    int getZheshu();
    // A working copy of the shape record holding this bar's values, its
    // sides evaluated for the diameter times `factor`: what the lengths are
    // computed from. Null without a record.
    std::unique_ptr<CVes_ModelRecord> prepareRecord(unsigned int sel, double factor);

    QString number;
    int count = 0;
    int grade = 1;
    int steelType = 0;
    int calcLength = 1;
    float length = 100.0f;
    int userValue = 0;
    int work = 0;
    int bendCount = 0;
    int ownBendDiameters = 0;
    float bendMult90 = 5.0f;
    float bendMult180 = 2.5f;
    float bendMult135 = 4.0f;
    QString remark;
    float DN = 10.0f;

protected:
    // A bar's stored numbers as they are read: a diameter, length or bend
    // multiple that is no number (stored from a formula's result) reads as 0;
    // a diameter outside 0 … envora::kMaxStoredDiameter is refused
    // (platform::ArchiveError).
    static void holdStoredNumbers(float& d, float& length, float& mult90, float& mult180,
                                  float& mult135);

private:
    void setInstanceVar(const QString& name, double value);
    bool isStirrupFamily() const { return m_stirrup == 1; }
    int calcType() const;
    int adjustType() const;
    // The length of a hook, whole millimetres as tables show it (`truncate`)
    // or as a real number as the single-piece length takes it.
    double hookAddition(const CVes_Hook& hook, double factor, bool truncate) const;
    // No record, or one without sides: the stored length of a bar whose
    // shape is missing, else 0 (and a computed bar stores 0).
    float lengthWithoutShape(const CVes_ModelRecord* record);
    // The same without storing anything.
    float lengthOfNoSides(const CVes_ModelRecord* record) const;
    int roundedLength(double total) const;
};
