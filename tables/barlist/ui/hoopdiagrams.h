#pragma once
// The pictures beside the stirrup calculators that explain where the
// densified zones lie: a column storey with its zones under the beam and
// at the floor (Hn/6, or Hn/3 and the rigid ground floor), and a concealed
// column of a wall with the lap zones of its longitudinal bars. Drawn in
// code, so that they follow the program's fonts.

#include <QImage>

// Picture numbers the dialogs show.
inline constexpr int kColumnHoopPictureHn6 = 4021;
inline constexpr int kColumnHoopPictureHn3 = 4022;
inline constexpr int kWallColumnHoopPicture = 4027;

// The picture of that number; a null image for any other number.
QImage hoopDiagram(int picture);
