#pragma once
// The bar of a bar list or quantity sheet: a bar record with its spacing
// as typed (up to three parts) and the start style drawn beside it.

#include "core/model/barcore.h"

#include <QString>

namespace platform { class Archive; }

class CVes_Steel : public CVes_BarCore {
public:
    CVes_Steel();
    CVes_Steel(const CVes_Steel& other);
    CVes_Steel& operator=(const CVes_Steel& other);
    ~CVes_Steel() override;

    // The reference's stream, then schema 3; reads schemas 1 to 3 (the
    // grade codes of 1 and 2 are brought up to date) and throws
    // platform::SchemaError otherwise.
    void Serialize(platform::Archive& ar) override;
    virtual int isNull() const { return 0; }

    // A bar list copies whole rows: spacing and start style go with the bar.
    using CVes_BarCore::set;
    void set(const CVes_BarCore* other) override;
    void set(const CVes_Steel* other);

    // "100;200;300" from the three parts, empty parts left out.
    QString JianjutoString() const;
    // Splits a typed spacing at the first kind of separator found (not the
    // leftmost of any kind), then once more; an empty text changes nothing.
    void setJianju(const QString& text);

    // Diameter, grade and type ascending, then the shape key, whatever the
    // sort mode.
    bool operator<(const CVes_Steel& other) const;

    QString spacing1;
    QString spacing2;
    QString spacing3;
    CVes_SteelStartReference start;
};
