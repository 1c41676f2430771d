#include "envora/anchorage.h"

#include "envora/settings.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

enum Family { Plain = 0, Mpa335 = 1, Mpa400 = 2, Mpa500 = 3 };

// Basic anchorage length lab as a multiple of d, GB 50010-2010 (2015) 8.3.1,
// as tabled in 16G101-1 p.57 (and 11G101-1 p.53). Columns C20, C25, C30,
// C35, C40, C45, C50, C55, C60 and above. C20 is not allowed with 400 and
// 500 MPa bars (GB 50010 4.1.2); the formula value α·fy/ft stands there.
constexpr std::array<std::array<int, 9>, 4> kLab2010{{
    {39, 34, 30, 28, 25, 24, 23, 22, 21},  // HPB300
    {38, 33, 29, 27, 25, 23, 22, 21, 21},  // HRB335, HRBF335
    {46, 40, 35, 32, 29, 28, 27, 26, 25},  // HRB400, HRBF400, RRB400
    {55, 48, 43, 39, 36, 34, 32, 31, 30},  // HRB500, HRBF500
}};

// Anchorage length la of bars up to 25 mm as a multiple of d,
// GB 50010-2002 9.3.1 (la = α·fy/ft·d), as tabled in 03G101-1 p.33. Columns C20, C25, C30,
// C35, C40 and above. 500 MPa bars are not in that code; α·fy/ft with
// fy = 435 N/mm², rounded up as the table does, stands for them.
constexpr std::array<std::array<int, 5>, 4> kLa2002{{
    {31, 27, 24, 22, 20},  // HPB235
    {39, 34, 30, 27, 25},  // HRB335
    {46, 40, 36, 33, 30},  // HRB400, RRB400
    {56, 48, 43, 39, 36},  // 500 MPa
}};

// Least anchorage: 200 mm (GB 50010-2010 8.3.1), 250 mm (GB 50010-2002
// 9.3.2); least lap length 300 mm in both (GB 50010-2010 8.4.4,
// GB 50010-2002 9.4.3).
constexpr int kMinAnchorage2010 = 200;
constexpr int kMinAnchorage2002 = 250;
constexpr int kMinLap = 300;
// No answer grows beyond this; it keeps absurd diameters finite.
constexpr double kMaxLength = 1.0e6;

constexpr double kEps = 1e-9;

double ceilUp(double v)
{
    return std::ceil(v - kEps);
}

double roundHalfUp(double v)
{
    return std::floor(v + 0.5 + kEps);
}

struct Design {
    bool code2002;
    int seismic;   // 0 non-seismic, 1..4
    int concrete;  // C-number
};

Design designOf(int edition, int seismic, int concrete)
{
    Design d;
    d.code2002 = edition == 0;
    d.seismic = seismic < 0 ? 2 : std::min(seismic, 4);
    d.concrete = concrete;
    return d;
}

// Cold-rolled ribbed (12) and twisted (14) bars anchor as 400 MPa ribbed bars.
Family familyOf(int grade)
{
    if (grade == 12 || grade == 14)
        return Mpa400;
    return Family(envora::gradeFamily(grade));
}

int concreteColumn(int concrete, int columns)
{
    if (concrete < 20)
        return 0;
    return std::min((concrete - 20) / 5, columns - 1);
}

// Anchorage multiple of d under the seismic grade: laE = ζaE·la with ζaE
// 1.15 for grades 1 and 2, 1.05 for grade 3, 1.0 for grade 4 and
// non-seismic (GB 50010-2010 11.1.7, GB 50010-2002 11.1.7), rounded to a
// whole multiple as the atlas tables (16G101-1 p.57 labE) do.
double seismicMultiple(const Design& design, Family family)
{
    const int base = design.code2002
        ? kLa2002[family][concreteColumn(design.concrete, 5)]
        : kLab2010[family][concreteColumn(design.concrete, 9)];
    double zetaE = 1.0;
    if (design.seismic == 1 || design.seismic == 2)
        zetaE = 1.15;
    else if (design.seismic == 3)
        zetaE = 1.05;
    return zetaE == 1.0 ? base : roundHalfUp(base * zetaE);
}

// Correction factors ζa, multiplied together (GB 50010-2010 8.3.2,
// GB 50010-2002 9.3.2): ribbed bars above 25 mm 1.10, epoxy-coated bars
// 1.25, construction prone to disturbance 1.10. The corrected multiple is
// rounded up to a whole multiple, as the atlas tables of la show it.
double correctedMultiple(const Design& design, Family family, float d, int barType, bool disturbed)
{
    const double m = seismicMultiple(design, family);
    double zeta = 1.0;
    if (family != Plain && d > 25.0f)
        zeta *= 1.10;
    if (barType == 1)
        zeta *= 1.25;
    if (disturbed)
        zeta *= 1.10;
    return zeta == 1.0 ? m : ceilUp(m * zeta);
}

bool usable(float d)
{
    return std::isfinite(d) && d > 0.0f;
}

int millimetres(double multiple, float d, int least)
{
    const double length = std::min(ceilUp(multiple * double(d)), kMaxLength);
    return int(std::max(length, double(least)));
}

// Lap factor ζl from the joint area percentage index.
double lapFactor(int percentage)
{
    if (percentage <= 0)
        return 1.2;
    if (percentage == 1)
        return 1.4;
    return 1.6;
}

int lapOrAnchorage(const Design& design, int grade, float d, int barType, int disturbance,
                   double factor)
{
    if (!usable(d))
        return 0;
    const double m = correctedMultiple(design, familyOf(grade), d, barType, disturbance > 0);
    const bool lap = std::isfinite(factor) && factor > 1.0 + kEps;
    if (!lap)
        return millimetres(m, d, design.code2002 ? kMinAnchorage2002 : kMinAnchorage2010);
    return millimetres(ceilUp(std::min(factor, 10.0) * m), d, kMinLap);
}

// Lap weld lengths (JGJ 18-2012, lap and splice-bar welds): HPB300 8d
// single-sided and 4d double-sided; ribbed bars 10d and 5d.
int lapWeld(int grade1, int grade2, float d, bool doubleSided)
{
    const bool plain = familyOf(grade1) == Plain && familyOf(grade2) == Plain;
    const double multiple = plain ? (doubleSided ? 4 : 8) : (doubleSided ? 5 : 10);
    return millimetres(multiple, d, 0);
}

namespace connect {
constexpr int kTiedLap = 1;
constexpr int kSingleLapWeld = 4;
constexpr int kDoubleLapWeld = 5;
} // namespace connect

} // namespace

int Info_GetSteelLle(int edition, int seismic, int concrete, int grade, float d, int barType,
                     int disturbance, double factor)
{
    return lapOrAnchorage(designOf(edition, seismic, concrete), grade, d, barType, disturbance,
                          factor);
}

int Info_GetSteelMaoguBeishu(int edition, int seismic, int concrete, int grade, float d, int barType)
{
    const Design design = designOf(edition, seismic, concrete);
    return int(correctedMultiple(design, familyOf(grade), usable(d) ? d : 0.0f, barType, false));
}

int Info_GetSteelJointLength(int edition, int connectType, int seismic, int concrete, int grade1,
                             float d1, int barType1, int grade2, float d2, int barType2,
                             int disturbance, int /*reserved*/, int percentage)
{
    float d = 0.0f;
    if (usable(d1) && usable(d2))
        d = std::min(d1, d2);
    else if (usable(d1))
        d = d1;
    else if (usable(d2))
        d = d2;
    if (d <= 0.0f)
        return 0;
    switch (connectType) {
    case connect::kTiedLap: {
        const Design design = designOf(edition, seismic, concrete);
        const double zeta = lapFactor(percentage);
        return std::max(lapOrAnchorage(design, grade1, d, barType1, disturbance, zeta),
                        lapOrAnchorage(design, grade2, d, barType2, disturbance, zeta));
    }
    case connect::kSingleLapWeld:
        return lapWeld(grade1, grade2, d, false);
    case connect::kDoubleLapWeld:
        return lapWeld(grade1, grade2, d, true);
    default:
        return 0;
    }
}

int Info_CalSteelJointLength(int edition, int jointKind, int seismic, int concrete, int grade1,
                             float d1, int barType1, int grade2, float d2, int barType2,
                             int disturbance, int reserved, int percentage)
{
    int connectType = 0;
    if (jointKind == 0)
        connectType = connect::kTiedLap;
    else if (jointKind == 1)
        connectType = connect::kSingleLapWeld;
    else if (jointKind == -1)
        connectType = connect::kDoubleLapWeld;
    return Info_GetSteelJointLength(edition, connectType, seismic, concrete, grade1, d1, barType1,
                                    grade2, d2, barType2, disturbance, reserved, percentage);
}
