#include "host/pub/host_pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

namespace zel {
namespace {

bool HasVisiblePixel(const QIcon& icon) {
    const QImage image = icon.pixmap(16, 16).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                return true;
            }
        }
    }
    return false;
}

TEST(HostPicture, TheReferencePictureAlwaysShowsSomething) {
    EXPECT_TRUE(HasVisiblePixel(HostPicture(101)));
}

TEST(HostPicture, OtherNumbersHaveNoPicture) {
    for (const int id : {0, -1, 100, 102, 108}) {
        EXPECT_TRUE(HostPicture(id).isNull()) << id;
    }
}

}  // namespace
}  // namespace zel
