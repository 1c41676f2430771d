#pragma once
// A named integer that shape and table records store with their data.

#include <QString>

namespace platform { class Archive; }

class CVes_intVariable {
public:
    CVes_intVariable() = default;
    CVes_intVariable(const CVes_intVariable&) = default;
    CVes_intVariable& operator=(const CVes_intVariable&) = default;
    virtual ~CVes_intVariable() = default;

    virtual void Serialize(platform::Archive& ar);

    int m_value = 0;
    QString m_name;
};
