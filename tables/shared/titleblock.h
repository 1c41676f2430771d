#pragma once
// What a sheet made from another (a summary of a bar list or of a quantity
// sheet) takes of its title block.

class CVes_Template;

namespace barsum {

// The title-block texts 2 to 7 of the source (all but the sheet's own title
// texts) become the target's.
void takeTitleBlock(CVes_Template& target, const CVes_Template& source);

} // namespace barsum
