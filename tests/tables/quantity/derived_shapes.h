#pragma once
// The two bar shapes of the derived-sheet tests, put into the cache of used
// shapes for a test's duration: one straight side (A), and two sides (A, B).

#include "tests/core/model/barcore_shapes.h"

namespace test {

inline const CSteelRecordId kStraightShape{150, 21};
inline const CSteelRecordId kBentShape{150, 22};

class DerivedShapes {
public:
    DerivedShapes()
    {
        m_scope.add(ShapeBuilder(kStraightShape).var("A", 1000).straight({1300, 150}, "0", "A").build());
        m_scope.add(ShapeBuilder(kBentShape)
                        .var("A", 1000)
                        .var("B", 300)
                        .straight({1300, 150}, "0", "A")
                        .straight({1300, 450}, "90", "B")
                        .build());
    }

private:
    CacheScope m_scope;
};

} // namespace test
