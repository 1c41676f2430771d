#include "tables/shared/titleblock.h"

#include "tables/framework/template.h"

namespace barsum {

namespace {

constexpr std::size_t kFirstTaken = 2;
constexpr std::size_t kLastTaken = 7;

} // namespace

void takeTitleBlock(CVes_Template& target, const CVes_Template& source)
{
    for (std::size_t i = kFirstTaken; i <= kLastTaken; ++i)
        target.m_texts[i].set(&source.m_texts[i]);
}

} // namespace barsum
