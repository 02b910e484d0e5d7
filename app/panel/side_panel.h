#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace seedscape {

// The panel beside the grid: everything the window offers beyond its five
// original buttons. It shows actions the window owns (so that their keys
// work with the panel hidden), the current picture's recipe, one line of
// news, and the progress of an export.
class SidePanel : public QWidget {
    Q_OBJECT

  public:
    explicit SidePanel(QWidget* parent = nullptr);

    // A heading and a column of buttons for `actions`.
    void AddSection(const QString& heading, const QList<QAction*>& actions);
    // Buttons for `actions` side by side.
    void AddRow(const QList<QAction*>& actions);
    // Any other widget, under the sections so far; `stretch` shares out
    // the panel's spare height.
    void AddWidget(QWidget* widget, int stretch = 0);

    void ShowRecipeText(const QString& text);
    // One line of news, what was done ("Saved x.png"): it clears itself after
    // a few seconds unless news replaces it first.
    void ShowMessage(const QString& text);
    // Why something was refused or failed: it stays until the next message.
    void ShowProblem(const QString& text);
    QString message() const { return message_->text(); }

    // The export's progress bar and its Cancel button, shown while one runs.
    void ShowExportProgress(double done);
    void HideExportProgress();

  signals:
    void cancelExportClicked();

  private:
    QToolButton* MakeButton(QAction* action);

    QVBoxLayout* layout_;
    QLabel* recipe_;
    QLabel* message_;
    QWidget* progress_row_;
    QProgressBar* progress_;
    QTimer message_timer_;
};

}  // namespace seedscape
