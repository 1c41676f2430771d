#pragma once
// The joints an over-long bar needs along its length: their connection type,
// how their number is found, and the stock length that decides it.

#include <QString>

namespace envora { struct UserHabits; }
namespace platform { class Archive; }

class CVes_MidConnect {
public:
    // Style, counting flag and stock length start from the user's defaults.
    CVes_MidConnect();
    CVes_MidConnect(const CVes_MidConnect&) = default;
    CVes_MidConnect& operator=(const CVes_MidConnect&) = default;
    virtual ~CVes_MidConnect() = default;

    void set(const CVes_MidConnect* other) { *this = *other; }

    // Compares everything but the count text.
    bool operator==(const CVes_MidConnect& other) const;
    bool operator!=(const CVes_MidConnect& other) const { return !(*this == other); }
    // The comparison used when bars are merged.
    bool compareReal(const CVes_MidConnect& other) const;

    // The full name of the connection type.
    QString getConnectString() const;
    // The number of joints a bar of `length` mm needs on the stock length:
    // 0 when the joints are not counted (`stat` off), and never negative.
    // Whether the count then replaces a typed one is the caller's rule.
    int autoCalNum(int length) const;

    void Serialize(platform::Archive& ar);

    int style;
    int valueA = 1;
    int valueB = 0;
    int stat;
    int valueC = 1;   // coupler thread: 1 "正丝", 0 "反丝"
    QString countText = QStringLiteral("0");
    int fixedLength;
    int autoCount = 1;

private:
    explicit CVes_MidConnect(const envora::UserHabits& habits);
};
