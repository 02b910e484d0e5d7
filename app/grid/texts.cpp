#include "app/grid/texts.h"

#include <cmath>

#include "state/parameter_ranges.h"

namespace seedscape {

QString NumberText(double value) {
    const QString sign =
        std::signbit(value) && value != 0 ? QStringLiteral("-") : QStringLiteral(" ");
    const double magnitude = std::fabs(value);
    if (magnitude == std::floor(magnitude) && magnitude < 1e15) {
        return sign + QString::number(static_cast<long long>(magnitude));
    }
    return sign + QString::number(magnitude, 'g', 15);
}

void LoadHelpText(HelpLines& helplines) {
    helplines = {
        QStringLiteral("[new] - new image mother"),
        QStringLiteral("[+] - increase magnification"),
        QStringLiteral("[-] - reduce magnification"),
        QStringLiteral("[help] - short description of the program"),
        QStringLiteral("[exit] - exit program"),
        QStringLiteral("upper left corner - magnification"),
        QStringLiteral(" "),
        QStringLiteral("Clicking on [new] find interesting image mother"),
        QStringLiteral("Then click on any position of the image mother"),
        QStringLiteral("to create new image child. Change magnification"),
        QStringLiteral("as you want (starting value = %1, maximum = %2)")
            .arg(kStartMagnification)
            .arg(kMagnificationRange.highest),
    };
}

void ShowHelpScreen(const HelpLines& helplines, Canvas& canvas) {
    // The band covers exactly the rows and columns of a child at (0, 220), so
    // a child drawn there later hides the help screen completely.
    constexpr ColourValue kWhite = MakeColour(255, 255, 255);
    const TilePlace place = PlaceNumber(3);
    for (int y = place.y; y < place.y + kImageHeight; ++y) {
        canvas.DrawLine(place.x, y, place.x + kImageWidth, y, kWhite);
    }
    int line_y = 230;
    for (const QString& line : helplines) {
        line_y += 15;
        canvas.SetTextPosition(3, line_y);
        canvas.Print(line);
    }
}

QString CreditText(const ImageState& state, bool varied) {
    // The band holds no more: "seedscape, " gives way to the word that matters.
    if (varied) return QStringLiteral("seed") + NumberText(state.seed) + QStringLiteral(", varied");
    return QStringLiteral("seedscape, seed") + NumberText(state.seed);
}

void PrintCredit(const ImageState& state, Canvas& canvas, bool varied) {
    constexpr ColourValue kCreditGrey = MakeColour(190, 190, 190);
    for (int y = 185; y <= 201; ++y) canvas.DrawLine(40, y, 250, y, kCreditGrey);
    canvas.SetTextPosition(48, 185);
    canvas.Print(CreditText(state, varied));
}

}  // namespace seedscape
