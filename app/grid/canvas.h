#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include "render/drawing_surface.h"
#include "state/grid_geometry.h"

namespace seedscape {

// The window's colours and font face. Images are loud; the frame around them
// is a soft paper grey, and text is a deep slate that reads well on the grey
// and white bands it is printed on.
inline const QColor kBackgroundColour{0xE4, 0xE1, 0xDA};
inline const QColor kTextColour{0x26, 0x32, 0x40};
// Narrow enough that the longest help line fits the 291-pixel help band.
inline constexpr const char* kFontFamily = "Liberation Sans";

// The window's retained surface: everything drawn stays until something is
// drawn over it. Pixels are window pixels, origin top left. The widget only
// copies this image to the screen.
class Canvas final : public DrawingSurface {
  public:
    Canvas(int width = kCanvasWidth, int height = kCanvasHeight);

    // Drawing beyond the edges is ignored, as a window ignores it.
    void SetPixel(int x, int y, ColourValue colour) override;
    void SetColumn(int x, int top, const ColourValue* colours, int count) override;

    // A straight line from (x1, y1) up to, but not including, (x2, y2).
    void DrawLine(int x1, int y1, int x2, int y2, ColourValue colour);

    // Fills the whole surface with the background colour.
    void Clear();

    // Printing puts the top left corner of the text at the current position.
    void SetTextPosition(int x, int y);
    void SetFontSize(int points);
    void Print(const QString& text);

    // The width the text will take when printed, including any overhang of
    // its glyphs beyond their advance.
    int TextWidth(const QString& text) const;

    const QImage& image() const { return image_; }

  private:
    QImage image_;
    QFont font_;
    int text_x_ = 0;
    int text_y_ = 0;
};

}  // namespace seedscape
