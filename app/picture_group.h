#pragma once

#include <QPixmap>
#include <QSize>
#include <vector>

namespace quillet {

// An image list: pictures of one cell size, addressed by index from 0.
struct PictureGroup {
    QSize cellSize;
    std::vector<QPixmap> pictures;
};

}  // namespace quillet
