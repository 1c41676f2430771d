#pragma once
// Switches the visual styles for one test and back.

#include "shapeui/themelib.h"

namespace test {

class StylesSwitch {
public:
    explicit StylesSwitch(bool available) : m_before(CVes_ThemeLib::stylesAvailable())
    {
        CVes_ThemeLib::setStylesAvailable(available);
    }
    ~StylesSwitch() { CVes_ThemeLib::setStylesAvailable(m_before); }
    StylesSwitch(const StylesSwitch&) = delete;
    StylesSwitch& operator=(const StylesSwitch&) = delete;

private:
    bool m_before;
};

} // namespace test
