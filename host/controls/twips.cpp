#include "host/controls/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace zel {
namespace {

constexpr double kFallbackDpi = 96.0;

double PerPixel(double dpi) {
    return Twips::kPerInch / (dpi > 0 ? dpi : kFallbackDpi);
}

}  // namespace

Twips::Twips(double dpiX, double dpiY) : perPixelX_(PerPixel(dpiX)), perPixelY_(PerPixel(dpiY)) {}

Twips Twips::ForScreen(const QScreen* screen) {
    if (screen == nullptr && QGuiApplication::instance() != nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return Twips(kFallbackDpi, kFallbackDpi);
    }
    return Twips(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

int Twips::ToPixelsX(double twips) const {
    return static_cast<int>(std::lround(twips / perPixelX_));
}

int Twips::ToPixelsY(double twips) const {
    return static_cast<int>(std::lround(twips / perPixelY_));
}

}  // namespace zel
