#pragma once
// A number that grows whenever something the documents read besides their
// own data may have changed: every file the program writes (saveFile: raw
// stock, libraries, settings), and the changes noted here. A sheet kept from
// an earlier build is built again when the number moved since.

#include <cstdint>

namespace platform {

std::uint64_t sharedDataRevision();
// Notes such a change that writes no file (settings or a library taken up
// again, a profile value written).
void noteSharedDataChanged();

} // namespace platform
