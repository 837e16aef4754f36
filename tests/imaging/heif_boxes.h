#pragma once
// Edits of a HEIF file's boxes that libheif's encoder cannot make itself.

#include <QByteArray>

namespace lumetra::test {

// The file with an 'irot' property (turn by quarter turns anticlockwise, 1 to 3)
// added to its primary image, as a phone records a photo held sideways: the stored
// pixels and their 'ispe' size stay as they are, the viewer turns them. Every file
// offset behind the added bytes moves along. Empty when the boxes are not laid out as
// expected (a 'meta' box with 'pitm', 'iloc' and 'iprp' holding 'ipco' then 'ipma').
QByteArray WithRotation(const QByteArray& heif, int quarterTurns);

}  // namespace lumetra::test
