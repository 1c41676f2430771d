#include "tables/quantity/barlistreader.h"

namespace {

BarListReader g_barListReader = nullptr;

} // namespace

void setBarListReader(BarListReader reader)
{
    g_barListReader = reader;
}

BarListReader barListReader()
{
    return g_barListReader;
}
