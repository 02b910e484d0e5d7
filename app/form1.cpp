#include "app/form1.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "app/image_child.h"
#include "app/image_mother.h"
#include "app/magnification.h"

namespace seedscape {

namespace {

constexpr int kButtonTop = 8;
constexpr int kButtonHeight = 17;

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Form1"));
    // The canvas covers every pixel it owns, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kCanvasWidth, kCanvasHeight);

    // Made in tab order: "exit" first, then the row from left to right.
    AddButton("Command2", QStringLiteral("exit"), 232, 41, &Form1::ExitClicked);
    AddButton("Command5", QStringLiteral("new"), 56, 41, &Form1::NewImageMotherClicked);
    AddButton("Command1", QStringLiteral("+"), 112, 17, &Form1::IncreaseMagnificationClicked);
    AddButton("Command11", QStringLiteral("--"), 144, 17, &Form1::ReduceMagnificationClicked);
    AddButton("Command19", QStringLiteral("help"), 176, 41, &Form1::ShowHelpClicked);
}

void Form1::AddButton(const char* name, const QString& caption, int left, int width,
                      void (Form1::*handler)()) {
    // The buttons are only 17 pixels high: a small font of the canvas's face
    // fits them whatever the desktop's own font size.
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPointSize(9);
    auto* button = new QPushButton(caption, this);
    button->setFont(font);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, kButtonTop, width, kButtonHeight);
    connect(button, &QPushButton::clicked, this, handler);
}

void Form1::Form_Load(float seconds_since_midnight) {
    show();
    random_.Seed(seconds_since_midnight);
    LoadHelpText(helplines_);
    canvas_.SetFontSize(10);
    SetStartUpSelectors(state_);  // the tile offset at the origin, the fixed selectors
    NewImageMother(state_, random_, canvas_);
    update();
}

void Form1::IncreaseMagnificationClicked() {
    IncreaseMagnification(state_);
    ShowMagnification(state_, canvas_);
    update();
}

void Form1::ReduceMagnificationClicked() {
    ReduceMagnification(state_);
    ShowMagnification(state_, canvas_);
    update();
}

void Form1::NewImageMotherClicked() {
    canvas_.Clear();
    state_.zamikx = 0;
    state_.zamiky = 0;
    NewImageMother(state_, random_, canvas_);
    update();
}

void Form1::ShowHelpClicked() {
    ShowHelpScreen(helplines_, canvas_);
    update();
}

void Form1::ExitClicked() {
    QCoreApplication::exit(0);
}

void Form1::ImageMotherPressed(float x, float y) {
    if (ShowImageChild(state_, canvas_, x, y)) update();
}

void Form1::mousePressEvent(QMouseEvent* event) {
    // Any button counts. On a scaled display a press can fall between logical
    // pixels; it belongs to the canvas pixel it lies in.
    const QPointF at = event->position();
    ImageMotherPressed(static_cast<float>(std::floor(at.x())),
                       static_cast<float>(std::floor(at.y())));
}

void Form1::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // On a scaled display each canvas pixel becomes a block of screen pixels,
    // never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(event->rect(), kBackgroundColour);
    painter.drawImage(QPoint(0, 0), canvas_.image());
}

}  // namespace seedscape
