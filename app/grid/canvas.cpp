#include "app/grid/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace seedscape {

namespace {

// Points become pixels at 96 per inch whatever screen the window is on, so
// the texts take the same room on every display; HiDPI scaling happens when
// the canvas is copied to the screen.
constexpr int kDotsPerMetre = 3780;

}  // namespace

Canvas::Canvas(int width, int height)
    : image_(width, height, QImage::Format_RGB32), font_(QString::fromLatin1(kFontFamily)) {
    image_.setDotsPerMeterX(kDotsPerMetre);
    image_.setDotsPerMeterY(kDotsPerMetre);
    image_.fill(kBackgroundColour);
}

void Canvas::SetPixel(int x, int y, ColourValue colour) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    row[x] = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

void Canvas::SetColumn(int x, int top, const ColourValue* colours, int count) {
    if (x < 0 || x >= image_.width()) return;
    const int first = std::max(0, -top);
    const int end = std::min(count, image_.height() - top);
    for (int k = first; k < end; ++k) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(top + k));
        row[x] = qRgb(RedOf(colours[k]), GreenOf(colours[k]), BlueOf(colours[k]));
    }
}

void Canvas::DrawLine(int x1, int y1, int x2, int y2, ColourValue colour) {
    // Bresenham's walk, stopping one step short of the end point.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int step_x = x1 < x2 ? 1 : -1;
    const int step_y = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        SetPixel(x, y, colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += step_x;
        }
        if (twice <= dx) {
            error += dx;
            y += step_y;
        }
    }
}

void Canvas::Clear() {
    image_.fill(kBackgroundColour);
}

void Canvas::SetTextPosition(int x, int y) {
    text_x_ = x;
    text_y_ = y;
}

void Canvas::SetFontSize(int points) {
    font_.setPointSize(points);
}

void Canvas::Print(const QString& text) {
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(kTextColour);
    painter.drawText(QPoint(text_x_, text_y_ + painter.fontMetrics().ascent()), text);
}

int Canvas::TextWidth(const QString& text) const {
    const QFontMetrics metrics(font_, &image_);
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
}

}  // namespace seedscape
