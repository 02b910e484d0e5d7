// Questions the end-to-end test asks of its screenshots; the exit status is
// the answer (0 yes, 1 no, 2 unusable input).
//   screenshot_check blank   SHOT x y w h   the rectangle is all window background
//   screenshot_check covered SHOT x y w h   hardly a pixel of it is background
//   screenshot_check same    SHOT1 SHOT2 x y w h   the rectangle is alike in both
//   screenshot_check differs SHOT1 SHOT2 x y w h
#include <QGuiApplication>
#include <QImage>
#include <QRect>
#include <cstdio>
#include <cstring>

namespace {

// The window's background colour.
constexpr QRgb kBackground = 0xE4E1DA;

int BackgroundPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFFU) == kBackground;
        }
    }
    return count;
}

bool Same(const QImage& a, const QImage& b, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFFU) != (b.pixel(x, y) & 0xFFFFFFU)) return false;
        }
    }
    return true;
}

QImage Load(const char* path, const QRect& area) {
    QImage image(QString::fromLocal8Bit(path));
    if (image.isNull() || !image.rect().contains(area)) {
        std::fprintf(stderr, "%s: unreadable, or smaller than the area asked about\n", path);
        return {};
    }
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const bool two =
        argc == 8 && (std::strcmp(argv[1], "same") == 0 || std::strcmp(argv[1], "differs") == 0);
    if (argc != 7 && !two) {
        std::fprintf(stderr,
                     "usage: %s blank|covered SHOT x y w h | same|differs SHOT1 SHOT2 x y w h\n",
                     argv[0]);
        return 2;
    }
    const int first = two ? 4 : 3;
    const QRect area(std::atoi(argv[first]), std::atoi(argv[first + 1]), std::atoi(argv[first + 2]),
                     std::atoi(argv[first + 3]));
    const QImage shot = Load(argv[2], area);
    if (shot.isNull()) return 2;
    if (two) {
        const QImage other = Load(argv[3], area);
        if (other.isNull()) return 2;
        const bool alike = Same(shot, other, area);
        return alike == (std::strcmp(argv[1], "same") == 0) ? 0 : 1;
    }
    const int background = BackgroundPixels(shot, area);
    if (std::strcmp(argv[1], "blank") == 0)
        return background == area.width() * area.height() ? 0 : 1;
    if (std::strcmp(argv[1], "covered") == 0)
        return background * 100 < area.width() * area.height() ? 0 : 1;
    std::fprintf(stderr, "unknown question %s\n", argv[1]);
    return 2;
}
