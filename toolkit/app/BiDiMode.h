#pragma once

// Reading direction and alignment of a control or menu: right to left
// mirrors both, the two partial modes only one of them.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
