#pragma once

class QScreen;

namespace zel {

// Window geometry of the component is in twips (1440 to the logical inch); Qt lays out in
// pixels. One value per axis, since a screen may have different logical DPI across and down.
class Twips {
public:
    static constexpr double kPerInch = 1440.0;

    Twips(double dpiX, double dpiY);
    // The given screen, or the primary one; 96 dpi when there is no screen at all.
    static Twips ForScreen(const QScreen* screen = nullptr);

    double PerPixelX() const { return perPixelX_; }
    double PerPixelY() const { return perPixelY_; }

    double FromPixelsX(double pixels) const { return pixels * perPixelX_; }
    double FromPixelsY(double pixels) const { return pixels * perPixelY_; }
    int ToPixelsX(double twips) const;
    int ToPixelsY(double twips) const;

private:
    double perPixelX_;
    double perPixelY_;
};

}  // namespace zel
