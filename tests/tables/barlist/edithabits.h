#pragma once
// The user's habits that editing the bar list reads (copy-from-previous-row
// set, count rounding digit, edit mode, shape chooser, default grade), set
// for one test and put back afterwards.

#include "envora/usercustom.h"

#include <gtest/gtest.h>

namespace test {

// The habits cell editing reads, for the lifetime of the scope.
class EditHabits {
public:
    explicit EditHabits(int content = 0xFF, int digit = 5, int editMode = 1, int selectMode = 0,
                        int gradeMode = 0)
        : m_content(contentNow()),
          m_digit(Info_UserCustomGenshuJinwei()),
          m_editMode(Info_GetUserCustomTableEditMode()),
          m_selectMode(Info_GetUserCustomSteelSelectMode()),
          m_gradeMode(Info_UserCustomGetGradeMode())
    {
        EXPECT_TRUE(Info_UserCustomSetContent(content));
        EXPECT_TRUE(Info_UserCustomSetGenshuJinwei(digit));
        EXPECT_TRUE(Info_SetUserCustomTableEditMode(editMode));
        EXPECT_TRUE(Info_SetUserCustomSteelSelectMode(selectMode));
        EXPECT_TRUE(Info_UserCustomSetGradeMode(gradeMode));
    }
    ~EditHabits()
    {
        Info_UserCustomSetContent(m_content);
        Info_UserCustomSetGenshuJinwei(m_digit);
        Info_SetUserCustomTableEditMode(m_editMode);
        Info_SetUserCustomSteelSelectMode(m_selectMode);
        Info_UserCustomSetGradeMode(m_gradeMode);
    }
    EditHabits(const EditHabits&) = delete;
    EditHabits& operator=(const EditHabits&) = delete;

private:
    static int contentNow()
    {
        int bits = 0;
        for (int bit = 1; bit <= 0x80; bit <<= 1)
            bits |= Info_UserCustomContentIsClude(bit) ? bit : 0;
        return bits;
    }
    int m_content;
    int m_digit;
    int m_editMode;
    int m_selectMode;
    int m_gradeMode;
};

} // namespace test
