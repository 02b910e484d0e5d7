#pragma once

#include <QWidget>

#include "app/canvas.h"
#include "app/texts.h"
#include "state/image_state.h"
#include "state/random_generator.h"

namespace seedscape {

// The program's one window: five buttons in a row near the top, and a
// retained canvas under them on which every image and text is drawn. The
// window owns the state record, the random generator and the help lines; each
// event hands them to a small procedure and then shows the canvas again.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);

    // Start-up: shows the window, seeds the generator once with the seconds
    // since midnight, and draws the first image mother.
    void Form_Load(float seconds_since_midnight);

    const ImageState& state() const { return state_; }
    const Canvas& canvas() const { return canvas_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // The buttons' handlers keep the buttons' object names (Command1 ...)
    // apart from their jobs: automation finds the buttons by those names.
    void IncreaseMagnificationClicked();  // "+", Command1
    void ReduceMagnificationClicked();    // "--", Command11
    void NewImageMotherClicked();         // "new", Command5
    void ShowHelpClicked();               // "help", Command19
    void ExitClicked();                   // "exit", Command2
    // A mouse press on the window: a child when it lies on the image mother.
    void ImageMotherPressed(float x, float y);

    void AddButton(const char* name, const QString& caption, int left, int width,
                   void (Form1::*handler)());

    ImageState state_;
    RandomGenerator random_;
    Canvas canvas_;
    HelpLines helplines_;
};

}  // namespace seedscape
